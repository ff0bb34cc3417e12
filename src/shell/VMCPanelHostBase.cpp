#include "VMCPanelHostBase.h"

#include <algorithm>

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
    if (old) {
        old->panelWillClose();
    }
    mCurrentPanel = std::move(panel);
    present();
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
