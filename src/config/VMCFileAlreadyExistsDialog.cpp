#include "VMCFileAlreadyExistsDialog.h"

#include <set>

#include "VMCFriendlyPath.h"
#include "XMainThread.h"

VMCFileAlreadyExistsDialog::VMCFileAlreadyExistsDialog(
    std::shared_ptr<VMCCheckFilenamesState> state, VMCFileAlreadyExistsView* view)
    : mState(std::move(state)), mView(view), mClock([] { return std::time(nullptr); }) {
    std::set<XStr> listed;
    for (std::size_t i = 0; i < mState->entries.size(); ++i) {
        const XStr& destination = mState->entries[i].destination;
        if (mState->alreadyExists.count(destination) != 0 && listed.insert(destination).second) {
            mItems.push_back(i);
        }
    }
}

bool VMCFileAlreadyExistsDialog::checked(std::size_t item) const {
    return item < mItems.size() && mState->entries[mItems[item]].checked;
}

void VMCFileAlreadyExistsDialog::setChecked(std::size_t item, bool on) {
    if (item >= mItems.size()) {
        return;
    }
    const XStr destination = mState->entries[mItems[item]].destination;
    for (VMCCheckFileNamesEntry& entry : mState->entries) {
        if (entry.destination == destination) {
            entry.checked = on;
        }
    }
}

XStr VMCFileAlreadyExistsDialog::displayPath(std::size_t item) const {
    return item < mItems.size()
               ? VMCFriendlyPath::friendlyName(mState->entries[mItems[item]].destination)
               : XStr();
}

void VMCFileAlreadyExistsDialog::setDisplayPath(const XStr& name, std::size_t item) {
    if (item >= mItems.size()) {
        return;
    }
    XStr& destination = mState->entries[mItems[item]].destination;
    destination = VMCFriendlyPath::fileURLFromFriendlyNameTakingExtension(name, destination);
    changed();
}

void VMCFileAlreadyExistsDialog::appendToAll(const XStr& suffix) {
    for (std::size_t item = 0; item < mItems.size(); ++item) {
        setDisplayPath(displayPath(item) + suffix, item);
    }
}

XStr VMCFileAlreadyExistsDialog::messageText() const {
    if (mItems.size() == 1) {
        return "This output file exists already. Leave it checked to replace it, uncheck it to "
               "skip its conversion, or give the new file another name.";
    }
    return XStr::format(
        "%zu output files exist already. Checked files are replaced; "
        "unchecked ones are skipped. A new file can also be given another name.",
        mItems.size());
}

void VMCFileAlreadyExistsDialog::onButtonOverwrite() {
    endSheetDelayed(1);
}

void VMCFileAlreadyExistsDialog::onButtonNoToAll() {
    onMenuUncheckAll();
    endSheetDelayed(mState->numItemsChecked() > 0 ? 1 : 0);
}

void VMCFileAlreadyExistsDialog::onButtonCancel() {
    endSheetDelayed(0);
}

void VMCFileAlreadyExistsDialog::onMenuCheckAll() {
    for (std::size_t item = 0; item < mItems.size(); ++item) {
        setChecked(item, true);
    }
    changed();
}

void VMCFileAlreadyExistsDialog::onMenuUncheckAll() {
    for (std::size_t item = 0; item < mItems.size(); ++item) {
        setChecked(item, false);
    }
    changed();
}

XStr VMCFileAlreadyExistsDialog::dateSuffix(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    // The locale's short date, as people are used to reading it, years of two digits
    // included; and a short time.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    const std::size_t n = std::strftime(text, sizeof text, "%x %H:%M", &local);
#pragma GCC diagnostic pop
    return " - " + XStr(std::string(text, n)).replaced("/", "-");
}

void VMCFileAlreadyExistsDialog::onMenuAppendDate() {
    appendToAll(dateSuffix(mClock()));
}

void VMCFileAlreadyExistsDialog::changed() {
    if (mView != nullptr) {
        mView->itemsChanged();
    }
}

void VMCFileAlreadyExistsDialog::endSheetDelayed(int code) {
    if (mEnded) {
        return;
    }
    mEnded = true;
    XMainThread::post([weak = weak_from_this(), code] {
        if (const auto self = weak.lock()) {
            if (self->mView != nullptr) {
                self->mView->endSheet(code);
            }
        }
    });
}
