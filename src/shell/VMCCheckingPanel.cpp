#include "VMCCheckingPanel.h"

#include <algorithm>

#include "VMCConversionRoad.h"
#include "VMCLauncher.h"

XStr VMCCheckingPanel::panelName() const {
    return VMCLauncher::kVideoConverter;
}

XStr VMCCheckingPanel::statusText() const {
    if (mSheet) {
        return mSheet->count() == 1
                   ? XStr("1 output file exists already.")
                   : XStr::format("%zu output files exist already.", mSheet->count());
    }
    const std::size_t total = mCheck->sourcesToCheck();
    if (total <= 1) {
        return "Checking the output file...";
    }
    const std::size_t done = std::min(mCheck->sourcesChecked() + 1, total);
    return XStr::format("Checking the output files (%zu of %zu)...", done, total);
}

std::optional<int> VMCCheckingPanel::percentDone() const {
    const std::size_t total = mCheck->sourcesToCheck();
    if (total == 0) {
        return std::nullopt;
    }
    return static_cast<int>(std::min(mCheck->sourcesChecked(), total) * 100 / total);
}

void VMCCheckingPanel::onCancel() {
    if (mSheet) {
        mSheet->onButtonCancel();
        return;
    }
    mCheck->cancel();
    if (const auto road = mRoad.lock()) {
        road->checkCancelled(*this);
    }
}

void VMCCheckingPanel::openSheet() {
    if (mSheet || mClosed) {
        return;
    }
    mSheet = std::make_shared<VMCFileAlreadyExistsDialog>(mCheck->state(), this);
    if (mView != nullptr) {
        mView->sheetOpened();
    }
}

void VMCCheckingPanel::panelWillClose() {
    mClosed = true;
    mCheck->cancel();
    if (mSheet && mView != nullptr) {
        mView->sheetClosed();
    }
}

void VMCCheckingPanel::endSheet(int code) {
    if (mView != nullptr) {
        mView->sheetClosed();
    }
    // Held: the road replaces this panel, and with it the sheet, while it answers.
    const std::shared_ptr<VMCCheckingPanel> self = shared_from_this();
    const std::shared_ptr<VMCFileAlreadyExistsDialog> sheet = std::move(mSheet);
    if (const auto road = mRoad.lock()) {
        road->existingFilesAnswered(*this, code);
    }
}

void VMCCheckingPanel::itemsChanged() {
    if (mView != nullptr) {
        mView->sheetItemsChanged();
    }
}
