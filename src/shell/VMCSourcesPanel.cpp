#include "VMCSourcesPanel.h"

#include "VADisplayText.h"
#include "VMCPanelHost.h"

XStr VMCSourcesPanel::fileCountText() const {
    const std::size_t n = mSources.size();
    if (n == 0) {
        return "No files";
    }
    return n == 1 ? XStr("1 file") : XStr::format("%zu files", n);
}

XStrList VMCSourcesPanel::fileNames() const {
    XStrList names;
    for (const std::shared_ptr<VAConvertSource>& source : mSources) {
        names.push_back(VADisplayText::escaped(source->strPerceivedFilename()));
    }
    return names;
}

void VMCSourcesPanel::goBack() {
    mHost.cancelPreConvert();
}
