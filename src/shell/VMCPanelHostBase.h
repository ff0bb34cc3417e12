// The bookkeeping of a window that shows one panel at a time: the root panel, the current
// one, the window title, and the size the user gave each size class of panel.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "VMCPanel.h"
#include "VMCPanelHostView.h"

class VMCPanelHostBase {
public:
    VMCPanelHostBase() = default;
    virtual ~VMCPanelHostBase();
    VMCPanelHostBase(const VMCPanelHostBase&) = delete;
    VMCPanelHostBase& operator=(const VMCPanelHostBase&) = delete;

    // The window that shows the panels; it is shown the current panel at once. Null
    // detaches the window (it is going away).
    void setView(VMCPanelHostView* view);
    VMCPanelHostView* view() const { return mView; }

    // The panel the window returns to when a road ends; it becomes the current panel.
    void setRootPanel(std::shared_ptr<VMCPanel> panel);
    const std::shared_ptr<VMCPanel>& rootPanel() const { return mRootPanel; }
    const std::shared_ptr<VMCPanel>& currentPanel() const { return mCurrentPanel; }

    // The old panel is told it closes; the new one takes the window, its title and size.
    // An exception on the way is reported (VMCErrorHandler) and the old panel stays.
    void showPanel(std::shared_ptr<VMCPanel> panel);
    // The same for a panel still to be made; one that cannot be made is reported.
    void showPanelMadeBy(const std::function<std::shared_ptr<VMCPanel>()>& make);
    void returnToRoot();
    // The current panel is told it closes, then the window closes.
    void closeWindow();
    // The user closes the window: the current panel is told, the window goes.
    void windowWillClose();

    // The user resized the window while the current panel was shown.
    void windowResized(VMCPanelSize size);
    // The window size for a panel: the one last given to its size class in this window,
    // else its preferred size; never below its minimum.
    VMCPanelSize sizeFor(const VMCPanel& panel) const;
    XStr windowTitle() const;

    static constexpr const char* kApplicationName = "Vantaro Video Converter";

private:
    void present();

    VMCPanelHostView* mView = nullptr;
    std::shared_ptr<VMCPanel> mRootPanel;
    std::shared_ptr<VMCPanel> mCurrentPanel;
    std::map<XStr, VMCPanelSize> mSizes;
    bool mClosed = false;
};
