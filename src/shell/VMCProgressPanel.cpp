#include "VMCProgressPanel.h"

#include <algorithm>

#include "VASystemActions.h"
#include "VMCConversionRoad.h"
#include "VMCLauncher.h"

VMCProgressPanel::VMCProgressPanel(std::shared_ptr<VMCProgressDialog> dialog,
                                   std::weak_ptr<VMCConversionRoad> road)
    : mDialog(std::move(dialog)), mRoad(std::move(road)) {
    mDialog->setView(this);
}

VMCProgressPanel::~VMCProgressPanel() {
    mDialog->setView(nullptr);
}

std::vector<VMCProgressPanel::Choice> VMCProgressPanel::afterConversionChoices() {
    return {{"Do Nothing", VASystemActions::kNone},
            {"Shut Down", VASystemActions::kShutDown},
            {"Sleep", VASystemActions::kSleep},
            {"Log Out", VASystemActions::kLogOut},
            {"Restart", VASystemActions::kRestart}};
}

int VMCProgressPanel::heightForEncoders(uint32_t count) {
    return static_cast<int>(std::min<uint32_t>(count, 8)) * 51 + 197;
}

uint32_t VMCProgressPanel::failedCount() const {
    const auto& entries = mDialog->conversionSpec().entries;
    return static_cast<uint32_t>(std::count_if(
        entries.begin(), entries.end(), [](const VAConversionEntry& e) { return e.hadErrors; }));
}

uint32_t VMCProgressPanel::convertedCount() const {
    return static_cast<uint32_t>(mDialog->conversionSpec().entries.size()) - failedCount();
}

XStr VMCProgressPanel::panelName() const {
    return mDialog->windowTitle(VMCLauncher::kVideoConverter);
}

VMCPanelSize VMCProgressPanel::minimumSize() const {
    return {480, heightForEncoders(1)};
}

VMCPanelSize VMCProgressPanel::preferredSize() const {
    return {600, heightForEncoders(mDialog->optNumCPUs)};
}

void VMCProgressPanel::panelWillClose() {
    mDialog->panelWillClose();
}

void VMCProgressPanel::labelsUpdated() {
    if (mView != nullptr) {
        mView->labelsUpdated();
    }
}

void VMCProgressPanel::jobStarted(uint32_t job, const VMCCPU& slot) {
    if (mView != nullptr) {
        mView->jobStarted(job, slot);
    }
}

void VMCProgressPanel::jobFinished(uint32_t job, bool hadErrors) {
    if (mView != nullptr) {
        mView->jobFinished(job, hadErrors);
    }
}

void VMCProgressPanel::logLine(uint32_t job, const XStr& line, bool error) {
    if (mView != nullptr) {
        mView->logLine(job, line, error);
    }
}

void VMCProgressPanel::allDone() {
    // "[Finished]" in the window's title.
    if (const auto road = mRoad.lock()) {
        road->panelTitleChanged(*this);
    }
    if (mView != nullptr) {
        mView->allDone();
    }
}
