#include "VMCPreConvertDialog.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VMCCodecLogos.h"
#include "VMCEncoderPageIndex.h"
#include "VMCLauncher.h"
#include "VMCPanelHost.h"
#include "VVCCodecs.h"

namespace {

using Item = VMCPreConvertDialog::PickerItem;

// The catalogue the configuration was made with tells whether the GPL encoders, and with
// them the GPL effects, are offered.
bool gplOffered(const VMCConfig& config) {
    return std::any_of(config.encoders().begin(), config.encoders().end(),
                       [](const VAEncoderDesc& e) { return VVCCodecs::isGPL(e.name); });
}

std::shared_ptr<VMCConfig> configOf(VMCPanelHost& host) {
    return host.sharedConfig() ? host.sharedConfig() : std::make_shared<VMCConfig>();
}

Item separator() {
    return Item{Item::Kind::kSeparator, {}, {}, false};
}

// No separator first, last or after another.
void tidySeparators(std::vector<Item>& items) {
    std::vector<Item> out;
    for (Item& item : items) {
        if (item.kind == Item::Kind::kSeparator &&
            (out.empty() || out.back().kind == Item::Kind::kSeparator)) {
            continue;
        }
        out.push_back(std::move(item));
    }
    while (!out.empty() && out.back().kind == Item::Kind::kSeparator) {
        out.pop_back();
    }
    items = std::move(out);
}

XStr capitalised(const XStr& text) {
    XStr out = text;
    if (!out.empty() && out[0] >= U'a' && out[0] <= U'z') {
        out[0] = out[0] - U'a' + U'A';
    }
    return out;
}

}  // namespace

VMCPreConvertDialog::VMCPreConvertDialog(VMCPanelHost& host)
    : VMCPreConvertDialog(host, configOf(host)) {}

VMCPreConvertDialog::VMCPreConvertDialog(VMCPanelHost& host, std::shared_ptr<VMCConfig> config)
    : mHost(host),
      mConfig(std::move(config)),
      mLocationPicker(true, false),
      mEffects(gplOffered(*mConfig)) {
    mLocationPicker.setOnChanged([this] {
        if (mProfile && mLocationPicker.fileNaming()) {
            mProfile->setFileNaming(*mLocationPicker.fileNaming());
            updateNamingContext();
        }
    });
    mEffects.setOnChanged([this] {
        if (mProfile) {
            mProfile->setDspEffects(mEffects.chain());
            updateNamingContext();
        }
    });
    rebuildPicker();
    loadActiveProfile();
}

VMCPreConvertDialog::~VMCPreConvertDialog() = default;

void VMCPreConvertDialog::rebuildPicker() {
    std::vector<Item> items;
    for (const VAEncoderPickerItem& row :
         VAEncoderDesc::encoderPickerItems(mConfig->encoders(), {})) {
        items.push_back(row.separator ? separator()
                                      : Item{Item::Kind::kProfile, row.title,
                                             VMCCodecLogos::get(row.title), true});
    }
    if (!gplOffered(*mConfig)) {
        items.push_back(separator());
        items.push_back(Item{Item::Kind::kInstallCodecs, kInstallCodecs, {}, true});
    }
    if (mConfig->allowUserProfiles()) {
        const VMCConfig::ProfilePtr active = mConfig->activeProfile();
        items.push_back(separator());
        items.push_back(Item{Item::Kind::kCreateProfile, VMCCreateProfile::kCreateItem, {}, true});
        items.push_back(Item{Item::Kind::kDeleteProfile,
                             VMCCreateProfile::kDeleteItem,
                             {},
                             active && active->isUserProfile()});
        const std::vector<VMCConfig::ProfilePtr> users = mConfig->userProfiles();
        if (!users.empty()) {
            items.push_back(separator());
        }
        for (const VMCConfig::ProfilePtr& profile : users) {
            items.push_back(Item{Item::Kind::kProfile, profile->profileName(),
                                 VMCCodecLogos::get(profile->encoderName()), true});
        }
    }
    tidySeparators(items);
    mPickerItems = std::move(items);
    if (mView != nullptr) {
        mView->encoderPickerChanged();
    }
}

std::optional<std::size_t> VMCPreConvertDialog::selectedPickerIndex() const {
    const XStr& active = mConfig->activeProfileName();
    for (std::size_t i = 0; i < mPickerItems.size(); ++i) {
        if (mPickerItems[i].kind == Item::Kind::kProfile && mPickerItems[i].title == active) {
            return i;
        }
    }
    return std::nullopt;
}

bool VMCPreConvertDialog::encoderSelected(const XStr& title) {
    for (std::size_t i = 0; i < mPickerItems.size(); ++i) {
        if (mPickerItems[i].kind != Item::Kind::kSeparator && mPickerItems[i].title == title) {
            encoderSelected(i);
            return true;
        }
    }
    return false;
}

void VMCPreConvertDialog::encoderSelected(std::size_t index) {
    const std::optional<Item> item =
        index < mPickerItems.size() ? std::optional<Item>(mPickerItems[index]) : std::nullopt;
    // Whatever was chosen, the picker shows the active profile until a change makes another
    // one active.
    if (mView != nullptr) {
        mView->encoderPickerChanged();
    }
    if (!item || !item->enabled) {
        return;
    }
    switch (item->kind) {
        case Item::Kind::kSeparator:
            return;
        case Item::Kind::kInstallCodecs:
            if (mView != nullptr) {
                mView->showFFmpegInstall();
            }
            return;
        case Item::Kind::kCreateProfile:
            mCreate = std::make_unique<VMCCreateProfile>(*mConfig,
                                                         static_cast<VMCCreateProfileView*>(this));
            if (mView != nullptr) {
                mView->askNewProfileName(mCreate->nameFieldText(), mCreate->encoderLabel());
            }
            return;
        case Item::Kind::kDeleteProfile: {
            const VMCConfig::ProfilePtr active = mConfig->activeProfile();
            const std::optional<XStr> question =
                active ? VMCCreateProfile::deleteQuestion(*active) : std::nullopt;
            if (question) {
                mDeleting = active;
                if (mView != nullptr) {
                    mView->askDeleteProfile(*question);
                }
            }
            return;
        }
        case Item::Kind::kProfile:
            break;
    }
    if (item->title == mConfig->activeProfileName() || !mConfig->profileNamed(item->title)) {
        return;
    }
    saveEverything();
    mConfig->setActiveProfileName(item->title);
    rebuildPicker();
    loadActiveProfile();
}

bool VMCPreConvertDialog::createProfileNamed(const XStr& name) {
    if (!mCreate) {
        return true;
    }
    const XStrList taken = mCreate->lstProfileNamesTaken();
    if (std::find(taken.begin(), taken.end(), name) == taken.end()) {
        // The profile left behind keeps what its page has not written yet.
        saveEverything();
    }
    if (!mCreate->onOK(name)) {
        return false;
    }
    const bool created = mCreate->createdProfile() != nullptr;
    mCreate.reset();
    rebuildPicker();
    if (created) {
        loadActiveProfile();
    }
    return true;
}

void VMCPreConvertDialog::cancelCreateProfile() {
    mCreate.reset();
}

void VMCPreConvertDialog::deleteProfileAnswered(bool yes) {
    const VMCConfig::ProfilePtr profile = std::move(mDeleting);
    mDeleting.reset();
    if (!yes || !profile || !VMCCreateProfile::deleteProfile(*mConfig, profile)) {
        if (mView != nullptr) {
            mView->encoderPickerChanged();
        }
        return;
    }
    rebuildPicker();
    loadActiveProfile();
}

void VMCPreConvertDialog::showAlert(const XStr& message) {
    if (mView != nullptr) {
        mView->showAlert(message);
    }
}

void VMCPreConvertDialog::loadActiveProfile() {
    mProfile = mConfig->activeProfile();
    // The view lets go of the old page before it goes.
    std::unique_ptr<VMCEncoderPage> old = std::move(mPage);
    if (mProfile) {
        mPage = VMCEncoderPageIndex::createFor(mProfile->encoderName(), this);
        if (mPage) {
            mPage->viewDidLoad();
        }
        mLocationPicker.setEncoder(mConfig->encoderForProfile(*mProfile));
        mLocationPicker.setFileNaming(mProfile->fileNaming());
        mEffects.setChain(mProfile->dspEffects());
        updateNamingContext();
    }
    if (mView != nullptr) {
        mView->encoderPageChanged();
    }
}

void VMCPreConvertDialog::saveEverything() {
    if (mPage) {
        mPage->pageWillClose();
    }
    if (mProfile) {
        mProfile->saveProfile();
    }
    mLocationPicker.saveToRecentList();
}

void VMCPreConvertDialog::updateNamingContext() {
    if (mProfile) {
        mLocationPicker.setNamingDialogContext({mProfile->registryKey(), mProfile->encoderName(),
                                                mProfile->encoderArgsV2().strArgs,
                                                mProfile->dspString()});
    }
}

std::size_t VMCPreConvertDialog::numToConvert() const {
    const std::vector<VMCPreConvertEntry>& entries = mHost.entries();
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [](const VMCPreConvertEntry& e) { return e.checked; }));
}

XStr VMCPreConvertDialog::fileCountText() const {
    const std::vector<VMCPreConvertEntry>& entries = mHost.entries();
    if (!entries.empty() && entries.front().source && entries.front().source->specialActionDesc) {
        return capitalised(*entries.front().source->specialActionDesc);
    }
    const std::size_t n = numToConvert();
    if (n == 0) {
        return "No files";
    }
    return n == 1 ? XStr("1 file") : XStr::format("%zu files", n);
}

void VMCPreConvertDialog::entriesChanged() {
    if (mView != nullptr) {
        mView->fileCountChanged();
    }
}

void VMCPreConvertDialog::onButtonGo() {
    if (!convertEnabled()) {
        return;
    }
    saveEverything();
    const std::optional<VAEncoderDesc> encoder = mConfig->activeEncoder();
    if (mProfile && encoder && encoder->outputsFiles &&
        mProfile->fileNaming().fileNamingType() != VMCFileNaming::kSameFolder) {
        // A copy: a failed attempt is remembered only by the descriptor that made it, so the
        // next Convert tries again at once.
        VMCLocationDescriptor destination = mProfile->fileNaming().destination();
        if (!destination.resolveAndMount()) {
            showAlert(XStr(kAccessAlert)
                          .replaced("%@", VADisplayText::escaped(destination.friendlyName())));
            return;
        }
    }
    mHost.preConvertDone();
}

void VMCPreConvertDialog::onButtonCancel() {
    mHost.cancelPreConvert();
}

XStr VMCPreConvertDialog::panelName() const {
    return VMCLauncher::kVideoConverter;
}

void VMCPreConvertDialog::panelWillClose() {
    saveEverything();
}

XStr VMCPreConvertDialog::encoderArgs() const {
    return mProfile ? mProfile->encoderArgsV2().strArgs : XStr();
}

void VMCPreConvertDialog::setEncoderArgs(const XStr& args) {
    if (mProfile) {
        VAEncoderArgs record = mProfile->encoderArgsV2();
        record.strArgs = args;
        setEncoderArgsV2(record);
    }
}

VAEncoderArgs VMCPreConvertDialog::encoderArgsV2() const {
    return mProfile ? mProfile->encoderArgsV2() : VAEncoderArgs();
}

void VMCPreConvertDialog::setEncoderArgsV2(const VAEncoderArgs& args) {
    if (mProfile) {
        mProfile->setEncoderArgsV2(args);
        updateNamingContext();
    }
}

bool VMCPreConvertDialog::encoderAllowSameFolder() const {
    const std::optional<VAEncoderDesc> encoder =
        mProfile ? mConfig->encoderForProfile(*mProfile) : std::nullopt;
    return !encoder || !encoder->disableSameFolder;
}
