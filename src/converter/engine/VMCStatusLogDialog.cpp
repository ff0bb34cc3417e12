#include "VMCStatusLogDialog.h"

VMCStatusLogDialog::VMCStatusLogDialog(VMCStatusLogContext context)
    : mContext(std::move(context)),
      mSelected(mContext.errors.empty() ? Tab::kInformation : Tab::kErrors) {}

XStr VMCStatusLogDialog::panelName() const {
    const XStr base = mContext.titleActionOverride && !mContext.titleActionOverride->empty()
                          ? *mContext.titleActionOverride
                          : XStr("Conversion");
    return base +
           (mContext.errors.empty() ? " Status Information" : " Errors & Status Information");
}

std::vector<VMCStatusLogDialog::Tab> VMCStatusLogDialog::tabs() const {
    // Without errors the errors tab goes; with errors and no information the other one.
    if (mContext.errors.empty()) {
        return {Tab::kInformation};
    }
    if (mContext.infos.empty()) {
        return {Tab::kErrors};
    }
    return {Tab::kErrors, Tab::kInformation};
}

XStr VMCStatusLogDialog::tabLabel(Tab tab) {
    return tab == Tab::kErrors ? XStr("Errors") : XStr("Information");
}

void VMCStatusLogDialog::selectTab(Tab tab) {
    mSelected = tab;
    if (mView != nullptr) {
        mView->refresh();
    }
}

const std::vector<VMCStatusLogEntry>& VMCStatusLogDialog::entriesOf(Tab tab) const {
    return tab == Tab::kErrors ? mContext.errors : mContext.infos;
}

XStr VMCStatusLogDialog::formatHeaderFor(const VMCStatusLogEntry& entry, bool errors) {
    const XStr kind = errors ? "Error" : "Information";
    const XStr source = entry.source2 ? entry.source2->strPerceivedFilename() : XStr();
    const bool ignored = entry.fnTo.lowerASCII().endsWith(".ignore");
    if (!entry.fnTo.empty() && !ignored) {
        return kind + " converting to " + entry.encoderName + ", '" + source + "' to '" +
               entry.fnTo + "'";
    }
    return kind + " converting to " + entry.encoderName + ", '" + source + "'";
}

std::vector<VMCStatusLogDialog::Row> VMCStatusLogDialog::rows(Tab tab) const {
    std::vector<Row> out;
    for (const VMCStatusLogEntry& entry : entriesOf(tab)) {
        out.push_back(
            Row{true, formatHeaderFor(entry, tab == Tab::kErrors), entry.statusImgName, 30});
        for (const XStr& line : entry.entries) {
            out.push_back(Row{false, line, std::nullopt, 20});
        }
    }
    return out;
}

XStr VMCStatusLogDialog::copyButtonTitle() const {
    return mSelected == Tab::kErrors ? XStr("Copy Errors to Clipboard")
                                     : XStr("Copy Info to Clipboard");
}

bool VMCStatusLogDialog::copyButtonEnabled() const {
    return !entriesOf(mSelected).empty();
}

bool VMCStatusLogDialog::reconvertButtonVisible() const {
    return !mContext.errors.empty() && mContext.canReconvert();
}

XStr VMCStatusLogDialog::copyText() const {
    XStrList lines;
    for (const VMCStatusLogEntry& entry : entriesOf(mSelected)) {
        lines.push_back(formatHeaderFor(entry, mSelected == Tab::kErrors));
        for (const XStr& line : entry.entries) {
            lines.push_back("   " + line);
        }
    }
    return XStr::join(lines, "\n");
}

void VMCStatusLogDialog::onCopy() {
    // An empty tab's button is disabled; a stray call must not wipe the clipboard.
    if (mView != nullptr && copyButtonEnabled()) {
        mView->setClipboardText(copyText());
    }
}

void VMCStatusLogDialog::onReConvert() {
    mContext.doReconvertFrom();
}

void VMCStatusLogDialog::leave() {
    if (const std::shared_ptr<VMCStatusLogHost> host = mContext.host.lock()) {
        host->conversionAllDone();
    }
}

void VMCStatusLogDialog::onOK() {
    leave();
}

void VMCStatusLogDialog::cancelOperation() {
    leave();
}

void VMCStatusLogDialog::onCloseAndEject() {
    mContext.ejectDisc();
    leave();
}
