// The batch converter as a panel of a converter window: it owns the batch converter's
// controller and is the host its files go on from, to the setup panel, to joining, or to
// the flat file list; each of those comes back to it.
#pragma once

#include <memory>

#include "VMCBatchConvertDialog.h"
#include "VMCBatchConvertHost.h"
#include "VMCPanel.h"

class VMCPanelHost;

class VMCBatchConvertPanel : public VMCPanel,
                             public VMCBatchConvertHost,
                             public std::enable_shared_from_this<VMCBatchConvertPanel> {
public:
    // The controller is opened at once (roots, last profile); selection is what to tick
    // when the window is first laid out. roots replaces the standard roots (the tests).
    static std::shared_ptr<VMCBatchConvertPanel> create(
        VMCPanelHost& host, std::shared_ptr<VMCUserDefaults> defaults, XStrList selection = {},
        VMCBatchConvertDialog::RootsBuilder roots = nullptr);
    ~VMCBatchConvertPanel() override;

    const std::shared_ptr<VMCBatchConvertDialog>& dialog() const { return mDialog; }
    const std::shared_ptr<VMCUserDefaults>& userDefaults() const { return mDefaults; }

    XStr panelName() const override { return "Batch Converter"; }
    XStr panelSizeClass() const override { return "Batch Converter"; }
    VMCPanelSize minimumSize() const override { return {760, 480}; }
    VMCPanelSize preferredSize() const override { return {1120, 700}; }

    void preConvertFrom(const XStrList& files) override;
    void beginConcatenate(const XStrList& files) override;
    void showFileList(const std::shared_ptr<VMCBatchFileListDialog>& panel) override;
    void onSubDialogDone() override;

private:
    VMCBatchConvertPanel(VMCPanelHost& host, std::shared_ptr<VMCUserDefaults> defaults);

    VMCPanelHost& mHost;
    std::shared_ptr<VMCUserDefaults> mDefaults;
    std::shared_ptr<VMCBatchConvertDialog> mDialog;
};
