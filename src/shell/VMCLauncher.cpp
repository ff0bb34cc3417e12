#include "VMCLauncher.h"

#include "VMCPanelHost.h"

std::vector<VMCLauncher::Entry> VMCLauncher::entries() const {
    return {{kVideoConverter, kVideoConverterSubtitle},
            {kBatchConverter, kBatchConverterSubtitle},
            {kJoinFiles, kJoinFilesSubtitle}};
}

void VMCLauncher::openEntry(const XStr& title) {
    if (title == kVideoConverter) {
        mHost.startOpenFileDialog();
    } else if (title == kBatchConverter) {
        mHost.startBatchConverter();
    } else if (title == kJoinFiles) {
        mHost.startJoinFilesDialog();
    }
}
