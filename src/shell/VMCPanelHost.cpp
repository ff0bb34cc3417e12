#include "VMCPanelHost.h"

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

bool VMCPanelHost::acceptsSources() const {
    const std::shared_ptr<VMCPanel>& current = currentPanel();
    return current != nullptr && (current == rootPanel() || current == mSetupPanel.lock());
}

std::shared_ptr<VMCPanel> VMCPanelHost::invokerForNewSources() const {
    return currentPanel() == mSetupPanel.lock() ? mInvoker : currentPanel();
}

void VMCPanelHost::startOpenFileDialog() {
    if (view() != nullptr && acceptsSources()) {
        view()->runOpenFileDialog();
    }
}

void VMCPanelHost::sourceFilesChosen(const XStrList& paths) {
    if (!acceptsSources()) {
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
    showPanel(std::make_shared<VMCPreConvertDialog>(*this));
    mSetupPanel = currentPanel();
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
