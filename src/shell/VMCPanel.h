// One step of a converter window (launcher, setup, progress, ...): its controller answers
// what the host window needs to show it. Sizes are in device-independent pixels; a zero
// size leaves the view's own layout to decide.
#pragma once

#include "XStr.h"

struct VMCPanelSize {
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const VMCPanelSize&, const VMCPanelSize&) = default;
};

class VMCPanel {
public:
    virtual ~VMCPanel() = default;

    // The window title while the panel is shown.
    virtual XStr panelName() const = 0;
    // Panels of one size class share the window size the user last gave it.
    virtual XStr panelSizeClass() const = 0;
    virtual VMCPanelSize minimumSize() const { return {}; }
    virtual VMCPanelSize preferredSize() const { return {}; }
    virtual bool resizable() const { return true; }
    virtual XStr helpLink() const { return {}; }
    // The host is about to show another panel or to close the window.
    virtual void panelWillClose() {}
};
