// What a panel host asks of its window. The desktop program implements it with a Qt
// window; the tests with a recorder.
#pragma once

#include <memory>

#include "VMCPanel.h"
#include "XStr.h"

class VMCPanelHostView {
public:
    virtual ~VMCPanelHostView() = default;

    // Shows the panel's view in place of the one shown before; the view may keep the panel
    // alive for as long as it is on screen.
    virtual void showPanel(const std::shared_ptr<VMCPanel>& panel) = 0;
    virtual void setWindowTitle(const XStr& title) = 0;
    // The window's size for the panel now shown; a fixed size when not resizable.
    virtual void setWindowSize(VMCPanelSize size, VMCPanelSize minimum, bool resizable) = 0;
    virtual void closeWindow() = 0;
    // Asks the user for source files (several, no folders), starting in the last folder
    // files were chosen from; the choice goes to VMCPanelHost::sourceFilesChosen.
    virtual void runOpenFileDialog() = 0;
    // Tells the user why some of the files handed over cannot be converted (one line each).
    virtual void showSourcesError(const XStr& message) = 0;
};
