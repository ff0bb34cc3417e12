#include "VMCLauncher.h"

#include "VMCPanelHost.h"

std::vector<VMCLauncher::Entry> VMCLauncher::entries() const {
    return {{kVideoConverter, kVideoConverterSubtitle}};
}

void VMCLauncher::openEntry(const XStr& title) {
    if (title == kVideoConverter) {
        mHost.startOpenFileDialog();
    }
}
