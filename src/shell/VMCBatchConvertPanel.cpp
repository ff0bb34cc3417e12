#include "VMCBatchConvertPanel.h"

#include "VMCBatchFileListPanel.h"
#include "VMCPanelHost.h"

std::shared_ptr<VMCBatchConvertPanel> VMCBatchConvertPanel::create(
    VMCPanelHost& host, std::shared_ptr<VMCUserDefaults> defaults, XStrList selection,
    VMCBatchConvertDialog::RootsBuilder roots) {
    std::shared_ptr<VMCBatchConvertPanel> panel(new VMCBatchConvertPanel(host, defaults));
    panel->mDialog = VMCBatchConvertDialog::create(panel, panel->mDefaults, std::move(selection),
                                                   std::move(roots));
    panel->mDialog->open();
    return panel;
}

VMCBatchConvertPanel::VMCBatchConvertPanel(VMCPanelHost& host,
                                           std::shared_ptr<VMCUserDefaults> defaults)
    : mHost(host),
      mDefaults(defaults ? std::move(defaults) : std::make_shared<VMCMemoryUserDefaults>()) {}

VMCBatchConvertPanel::~VMCBatchConvertPanel() {
    if (mDialog) {
        mDialog->close();
    }
}

void VMCBatchConvertPanel::preConvertFrom(const XStrList& files) {
    const XStr profile = mDialog->currentProfile()->name();
    // Cancelling the setup comes back to where the files came from: this panel, or the
    // file list it showed.
    std::shared_ptr<VMCPanel> from = mHost.currentPanel();
    if (!from) {
        from = shared_from_this();
    }
    mHost.preConvertFrom(std::vector<VAConvertSource::Item>(files.begin(), files.end()),
                         std::move(from),
                         profile.empty() ? std::nullopt : std::optional<XStr>(profile));
}

void VMCBatchConvertPanel::beginConcatenate(const XStrList& files) {
    mHost.beginConcatenate(files, shared_from_this());
}

void VMCBatchConvertPanel::showFileList(const std::shared_ptr<VMCBatchFileListDialog>& panel) {
    mHost.showPanel(std::make_shared<VMCBatchFileListPanel>(panel));
}

void VMCBatchConvertPanel::onSubDialogDone() {
    mHost.showPanel(shared_from_this());
}
