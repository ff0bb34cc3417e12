#include "VVCDSPs.h"

#include <algorithm>

#include "VACommonVideoEffects.h"
#include "VALocateFFmpeg.h"

XStrList VVCDSPs::listNames() {
    return {"Aspect Ratio",
            "Audio Channel Count",
            "Audio Mute",
            "Audio Normalize",
            "Audio Resample",
            "Deinterlace (yadif)",
            "Frame Rate",
            "Speed Adjust",
            "Cut",
            "Scale Absolute",
            "Scale Maximum",
            "Audio Bitrate",
            "Reverse",
            "Loop"};
}

bool VVCDSPs::isOwn(const XStr& name) {
    const XStrList names = listNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<VADSPDesc> VVCDSPs::list() {
    return list(VALocateFFmpeg::gplEncodersOffered());
}

std::vector<VADSPDesc> VVCDSPs::list(bool gplOffered) {
    std::vector<VADSPDesc> out;
    for (const XStr& name : listNames()) {
        out.push_back(makeVideoDSP(name));
    }
    const std::vector<VADSPDesc> common = VACommonVideoEffects::listHaveGPL(gplOffered);
    out.insert(out.end(), common.begin(), common.end());
    std::stable_sort(out.begin(), out.end(),
                     [](const VADSPDesc& a, const VADSPDesc& b) { return a.name < b.name; });
    return out;
}

VADSPDesc VVCDSPs::makeVideoDSP(const XStr& name) {
    return VADSPDesc::makeVideoDSP(name, true);
}
