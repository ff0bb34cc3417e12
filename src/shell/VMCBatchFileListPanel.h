// The batch converter's flat list of the collected files as a panel of a converter window.
#pragma once

#include <memory>

#include "VMCBatchFileListDialog.h"
#include "VMCPanel.h"

class VMCBatchFileListPanel : public VMCPanel {
public:
    explicit VMCBatchFileListPanel(std::shared_ptr<VMCBatchFileListDialog> dialog)
        : mDialog(std::move(dialog)) {}

    const std::shared_ptr<VMCBatchFileListDialog>& dialog() const { return mDialog; }

    XStr panelName() const override { return mDialog->panelName(); }
    XStr panelSizeClass() const override { return mDialog->panelSizeClass(); }
    VMCPanelSize minimumSize() const override { return {760, 480}; }
    VMCPanelSize preferredSize() const override { return {1120, 700}; }

private:
    std::shared_ptr<VMCBatchFileListDialog> mDialog;
};
