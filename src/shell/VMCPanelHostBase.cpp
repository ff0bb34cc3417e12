#include "VMCPanelHostBase.h"

#include <algorithm>

#include "VMCErrorHandler.h"

VMCPanelHostBase::~VMCPanelHostBase() = default;

void VMCPanelHostBase::setView(VMCPanelHostView* view) {
    mView = view;
    present();
}

void VMCPanelHostBase::setRootPanel(std::shared_ptr<VMCPanel> panel) {
    mRootPanel = panel;
    showPanel(std::move(panel));
}

void VMCPanelHostBase::showPanel(std::shared_ptr<VMCPanel> panel) {
    if (!panel || panel == mCurrentPanel || mClosed) {
        return;
    }
    // Held until the new panel is in place: the old one may be what asked for the change.
    const std::shared_ptr<VMCPanel> old = mCurrentPanel;
    try {
        if (old) {
            old->panelWillClose();
        }
        mCurrentPanel = std::move(panel);
        present();
    } catch (...) {
        // The user gets a report to send, and the window the panel it showed before.
        mCurrentPanel = old;
        VMCErrorHandler::handleCurrentException();
        try {
            present();
        } catch (...) {
            // Reported once is enough; the window shows what it can.
        }
    }
}

void VMCPanelHostBase::showPanelMadeBy(const std::function<std::shared_ptr<VMCPanel>()>& make) {
    std::shared_ptr<VMCPanel> panel;
    try {
        panel = make();
    } catch (...) {
        VMCErrorHandler::handleCurrentException();
        return;
    }
    showPanel(std::move(panel));
}

void VMCPanelHostBase::returnToRoot() {
    showPanel(mRootPanel);
}

void VMCPanelHostBase::closeWindow() {
    windowWillClose();
    if (mView != nullptr) {
        mView->closeWindow();
    }
}

void VMCPanelHostBase::windowWillClose() {
    if (mClosed) {
        return;
    }
    mClosed = true;
    if (mCurrentPanel) {
        mCurrentPanel->panelWillClose();
    }
}

void VMCPanelHostBase::windowResized(VMCPanelSize size) {
    if (mCurrentPanel && mCurrentPanel->resizable() && !size.empty()) {
        mSizes[mCurrentPanel->panelSizeClass()] = size;
    }
}

VMCPanelSize VMCPanelHostBase::sizeFor(const VMCPanel& panel) const {
    VMCPanelSize size = panel.preferredSize();
    if (panel.resizable()) {
        const auto given = mSizes.find(panel.panelSizeClass());
        if (given != mSizes.end()) {
            size = given->second;
        }
    }
    const VMCPanelSize minimum = panel.minimumSize();
    if (!size.empty()) {
        size.width = std::max(size.width, minimum.width);
        size.height = std::max(size.height, minimum.height);
    }
    return size;
}

XStr VMCPanelHostBase::windowTitle() const {
    const XStr name = mCurrentPanel ? mCurrentPanel->panelName() : XStr();
    return name.empty() ? XStr(kApplicationName) : name;
}

void VMCPanelHostBase::present() {
    if (mView == nullptr || !mCurrentPanel) {
        return;
    }
    const std::shared_ptr<VMCPanel> shown = mCurrentPanel;
    const VMCPanel& panel = *shown;
    mView->showPanel(shown);
    mView->setWindowTitle(windowTitle());
    mView->setWindowSize(sizeFor(panel), panel.minimumSize(), panel.resizable());
}
