#include "VMCConversionRoad.h"

#include "VMCCheckingPanel.h"
#include "VMCPanelHost.h"
#include "VMCProgressPanel.h"
#include "VMCRegistrySettings.h"
#include "VMCStatusLogPanel.h"

VMCConversionRoad::~VMCConversionRoad() {
    if (mCheck) {
        mCheck->cancel();
    }
}

void VMCConversionRoad::preConvertDone(std::shared_ptr<VMCPanel> invoker) {
    if (!mHost.sharedConfig()) {
        return;
    }
    if (mCheck) {
        mCheck->cancel();
    }
    mInvoker = std::move(invoker);
    mCheck = VMCCheckingFilenamesProgress::initWithHost(this);
    if (mCheckProber) {
        mCheck->setProber(mCheckProber);
    }
    auto panel = std::make_shared<VMCCheckingPanel>(mCheck, weak_from_this());
    mHost.showPanel(panel);
    // The snapshot is taken now, from what the setup left; the window has its view by now.
    mCheck->viewDidLoad();
}

std::shared_ptr<VMCCheckingPanel> VMCConversionRoad::currentCheck() const {
    auto panel = std::dynamic_pointer_cast<VMCCheckingPanel>(mHost.currentPanel());
    if (!panel || panel->isClosed() || panel->check() != mCheck) {
        return nullptr;
    }
    return panel;
}

void VMCConversionRoad::checkFileNamesDone(bool anyExists, VMCCheckingFilenamesProgress* invoker) {
    const std::shared_ptr<VMCCheckingPanel> panel = currentCheck();
    if (!panel || invoker != mCheck.get()) {
        return;
    }
    if (!anyExists) {
        beginConversion();
        return;
    }
    panel->openSheet();
}

void VMCConversionRoad::checkCancelled(const VMCCheckingPanel& panel) {
    if (currentCheck().get() == &panel) {
        returnToInvoker();
    }
}

void VMCConversionRoad::existingFilesAnswered(const VMCCheckingPanel& panel, int code) {
    if (currentCheck().get() != &panel) {
        return;
    }
    if (code == 1) {
        beginConversion();
    } else {
        returnToInvoker();
    }
}

void VMCConversionRoad::returnToInvoker() {
    const std::shared_ptr<VMCPanel> invoker = std::move(mInvoker);
    mInvoker.reset();
    mCheck.reset();
    if (invoker) {
        mHost.showPanel(invoker);
    } else {
        mHost.returnToRootOrClose();
    }
}

void VMCConversionRoad::beginConversion() {
    const std::shared_ptr<VMCConfig>& config = mHost.sharedConfig();
    const VMCConfig::ProfilePtr profile = config ? config->activeProfile() : nullptr;
    if (!mCheck) {
        return;
    }
    if (!profile) {
        returnToInvoker();
        return;
    }
    const std::shared_ptr<VAConversionSpec> spec =
        mCheck->state()->conversionSpec(*profile, config->encoderForProfile(*profile));
    mCheck.reset();
    mInvoker.reset();
    const std::shared_ptr<VMCProgressDialog> dialog = VMCProgressDialog::createWithSpec(
        spec, weak_from_this(), mSettings ? mSettings : std::make_shared<VMCRegistrySettings>());
    if (mJobRunner) {
        dialog->setJobRunner(mJobRunner);
    }
    mHost.showPanel(std::make_shared<VMCProgressPanel>(dialog, weak_from_this()));
    dialog->oneTimeInit();
}

void VMCConversionRoad::panelTitleChanged(const VMCPanel& panel) {
    if (mHost.currentPanel().get() == &panel && mHost.view() != nullptr) {
        mHost.view()->setWindowTitle(mHost.windowTitle());
    }
}

std::vector<std::shared_ptr<const VAMediaFileInfo>> VMCConversionRoad::allInfosLoaded() const {
    std::vector<std::shared_ptr<const VAMediaFileInfo>> infos;
    if (const VAFileInfoCache* cache = mHost.fileInfoCache()) {
        infos.reserve(cache->count());
        for (std::size_t i = 0; i < cache->count(); ++i) {
            infos.push_back(cache->mediaInfoForIndex(i));
        }
    }
    return infos;
}

const VMCConfig& VMCConversionRoad::config() const {
    return *mHost.sharedConfig();
}

std::vector<VMCPreConvertEntry> VMCConversionRoad::conversionEntries() const {
    return mHost.entries();
}

void VMCConversionRoad::conversionAllDone() {
    mHost.returnToRootOrClose();
}

void VMCConversionRoad::showStatusLog(const VMCStatusLogContext& context) {
    VMCStatusLogContext withHost = context;
    withHost.host = weak_from_this();
    mHost.showPanel(std::make_shared<VMCStatusLogPanel>(std::move(withHost)));
}

void VMCConversionRoad::preConvertFrom(
    const std::vector<std::shared_ptr<VAConvertSource>>& sources) {
    mHost.preConvertFrom(std::vector<VAConvertSource::Item>(sources.begin(), sources.end()),
                         mHost.currentPanel());
}
