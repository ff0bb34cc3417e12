#include "VMCPanelHost.h"

#include <utility>

#include "VAConcatenateOrderDialog.h"
#include "VMCBatchConvertPanel.h"
#include "VMCLauncher.h"
#include "VMCPreConvertDialog.h"

std::unique_ptr<VMCPanelHost> VMCPanelHost::newLauncher() {
    auto host = std::make_unique<VMCPanelHost>();
    host->setRootPanel(std::make_shared<VMCLauncher>(*host));
    return host;
}

std::unique_ptr<VMCPanelHost> VMCPanelHost::newForSources(const XStrList& paths) {
    std::unique_ptr<VMCPanelHost> host = newLauncher();
    host->suppressReturnToLauncher = true;
    host->preConvertFrom(std::vector<VAConvertSource::Item>(paths.begin(), paths.end()), nullptr);
    return host;
}

std::unique_ptr<VMCPanelHost> VMCPanelHost::newForFolders(
    const XStrList& paths, std::shared_ptr<VMCUserDefaults> defaults) {
    std::unique_ptr<VMCPanelHost> host = newLauncher();
    host->suppressReturnToLauncher = true;
    if (defaults) {
        host->setUserDefaults(std::move(defaults));
    }
    host->startBatchConverter(paths);
    return host;
}

void VMCPanelHost::startBatchConverter(const XStrList& selection) {
    showPanelMadeBy([&] { return VMCBatchConvertPanel::create(*this, mUserDefaults, selection); });
}

bool VMCPanelHost::acceptsSources() const {
    const std::shared_ptr<VMCPanel>& current = currentPanel();
    return current != nullptr && (current == rootPanel() || current == mSetupPanel.lock());
}

std::shared_ptr<VMCPanel> VMCPanelHost::invokerForNewSources() const {
    return currentPanel() == mSetupPanel.lock() ? mInvoker : currentPanel();
}

void VMCPanelHost::startOpenFileDialog() {
    mChoosingToJoin = false;
    if (view() != nullptr && acceptsSources()) {
        view()->runOpenFileDialog();
    }
}

void VMCPanelHost::startJoinFilesDialog() {
    mChoosingToJoin = true;
    if (view() != nullptr && acceptsSources()) {
        view()->runOpenFileDialog();
    }
}

XStr VMCPanelHost::openFileDialogTitle() const {
    return mChoosingToJoin ? "Choose Files to Join" : "Choose Files to Convert";
}

void VMCPanelHost::sourceFilesChosen(const XStrList& paths) {
    const bool join = std::exchange(mChoosingToJoin, false);
    if (!acceptsSources()) {
        return;
    }
    if (join) {
        beginConcatenate(paths, currentPanel());
        return;
    }
    std::vector<VAConvertSource::Item> items(paths.begin(), paths.end());
    preConvertFrom(items, invokerForNewSources());
}

bool VMCPanelHost::sourcesDropped(const XStrList& paths) {
    if (paths.empty() || !acceptsSources()) {
        return false;
    }
    // A later drop replaces one still being collected.
    mCollector = VMCSourceCollector::start(
        paths, [this](const VMCSourceCollector::Result& result) { sourcesCollected(result); });
    return true;
}

void VMCPanelHost::sourcesCollected(const VMCSourceCollector::Result& result) {
    mCollector.reset();
    // The road may have moved on while the folders were read.
    if (!acceptsSources()) {
        return;
    }
    if (!result.files.empty()) {
        sourceFilesChosen(result.files);
    }
    XStr message;
    if (!result.errors.empty()) {
        message = result.files.empty() ? "Nothing that was dropped can be converted:"
                                       : "Some of what was dropped cannot be converted:";
        for (const std::string& error : result.errors) {
            message += "\n" + XStr(error);
        }
    } else if (result.files.empty()) {
        message = "There are no files to convert in what was dropped.";
    }
    if (!message.empty() && view() != nullptr) {
        view()->showSourcesError(message);
    }
}

void VMCPanelHost::beginConcatenate(const XStrList& files, std::shared_ptr<VMCPanel> returnTo) {
    if (files.empty()) {
        return;
    }
    showPanelMadeBy([&] { return VAConcatenateOrderDialog::create(*this, files, returnTo); });
}

void VMCPanelHost::preConvertFrom(const std::vector<VAConvertSource::Item>& sources,
                                  std::shared_ptr<VMCPanel> invoker,
                                  const std::optional<XStr>& batchProfile) {
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
    mConfig = std::make_shared<VMCConfig>(batchProfile);
    mEntries.clear();
    for (const auto& source : expanded) {
        mEntries.push_back(VMCPreConvertEntry::withSource(source));
    }
    mSources = std::move(expanded);
    mInvoker = std::move(invoker);
    showPanelMadeBy([this] {
        auto setup = std::make_shared<VMCPreConvertDialog>(*this);
        mSetupPanel = setup;
        return setup;
    });
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
