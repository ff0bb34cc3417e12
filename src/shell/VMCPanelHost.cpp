#include "VMCPanelHost.h"

#include <utility>

#include "VAConcatenateOrderDialog.h"
#include "VMCLauncher.h"
#include "VMCPreConvertDialog.h"

std::unique_ptr<VMCPanelHost> VMCPanelHost::newLauncher() {
    auto host = std::make_unique<VMCPanelHost>();
    host->setRootPanel(std::make_shared<VMCLauncher>(*host));
    return host;
}

void VMCPanelHost::startOpenFileDialog() {
    mChoosingToJoin = false;
    if (view() != nullptr) {
        view()->runOpenFileDialog();
    }
}

void VMCPanelHost::startJoinFilesDialog() {
    mChoosingToJoin = true;
    if (view() != nullptr) {
        view()->runOpenFileDialog();
    }
}

XStr VMCPanelHost::openFileDialogTitle() const {
    return mChoosingToJoin ? "Choose Files to Join" : "Choose Files to Convert";
}

void VMCPanelHost::sourceFilesChosen(const XStrList& paths) {
    if (std::exchange(mChoosingToJoin, false)) {
        beginConcatenate(paths, currentPanel());
        return;
    }
    std::vector<VAConvertSource::Item> items(paths.begin(), paths.end());
    preConvertFrom(items, currentPanel());
}

void VMCPanelHost::beginConcatenate(const XStrList& files, std::shared_ptr<VMCPanel> returnTo) {
    if (files.empty()) {
        return;
    }
    showPanelMadeBy([&] { return VAConcatenateOrderDialog::create(*this, files, returnTo); });
}

void VMCPanelHost::preConvertFrom(const std::vector<VAConvertSource::Item>& sources,
                                  std::shared_ptr<VMCPanel> invoker) {
    std::vector<std::shared_ptr<VAConvertSource>> expanded =
        VAConvertSource::transformURLs(sources);
    if (expanded.empty()) {
        return;
    }
    // The old sources' probing stops before the new one starts.
    if (mFileInfoCache) {
        mFileInfoCache->shutdown();
    }
    mFileInfoCache = VAFileInfoCache::initForURLs(VAConvertSource::grabURLs(
        std::vector<VAConvertSource::Item>(expanded.begin(), expanded.end())));
    mConfig = std::make_shared<VMCConfig>(std::nullopt);
    mEntries.clear();
    for (const auto& source : expanded) {
        mEntries.push_back(VMCPreConvertEntry::withSource(source));
    }
    mSources = std::move(expanded);
    mInvoker = std::move(invoker);
    showPanelMadeBy([this] { return std::make_shared<VMCPreConvertDialog>(*this); });
}

void VMCPanelHost::cancelPreConvert() {
    std::shared_ptr<VMCPanel> invoker = std::move(mInvoker);
    mInvoker.reset();
    if (invoker) {
        showPanel(std::move(invoker));
    } else {
        closeWindow();
    }
}

void VMCPanelHost::returnToRootOrClose() {
    if (suppressReturnToLauncher) {
        closeWindow();
    } else {
        returnToRoot();
    }
}

void VMCPanelHost::preConvertDone() {
    mRoad->preConvertDone(currentPanel());
}
