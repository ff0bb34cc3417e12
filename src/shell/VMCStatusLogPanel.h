// The status log in a converter window: the log panel's logic with a title and sizes.
#pragma once

#include "VMCPanel.h"
#include "VMCStatusLogDialog.h"

class VMCStatusLogPanel : public VMCPanel {
public:
    explicit VMCStatusLogPanel(VMCStatusLogContext context) : mDialog(std::move(context)) {}

    VMCStatusLogDialog& dialog() { return mDialog; }
    const VMCStatusLogDialog& dialog() const { return mDialog; }

    XStr panelName() const override { return mDialog.panelName(); }
    XStr panelSizeClass() const override { return "Status Log"; }
    VMCPanelSize minimumSize() const override { return {520, 320}; }
    VMCPanelSize preferredSize() const override { return {760, 480}; }

private:
    VMCStatusLogDialog mDialog;
};
