#include "VACommonVideoEffects.h"

#include <algorithm>

#include "VALocateFFmpeg.h"

XStrList VACommonVideoEffects::listNames() {
    return {"Delete Source File",
            "Flip",
            "Hue & Saturation",
            "Multi-CPU Force",
            "Preserve Source Attributes",
            "Rotate",
            "[Custom]",
            "Brightness & Contrast",
            "Sharpen & Blur",
            "Watermark",
            "Denoiser (High Precision 3D)",
            "Denoiser (Spatial Denoiser)",
            "Denoiser (Wavelet)",
            "Canvas Size",
            "Scale Percentage",
            "Pixel Format",
            "Crop"};
}

XStrList VACommonVideoEffects::listNamesGPL() {
    return {"Denoiser (Wavelet)", "Denoiser (High Precision 3D)", "Brightness & Contrast"};
}

bool VACommonVideoEffects::isGPL(const XStr& name) {
    const XStrList names = listNamesGPL();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<VADSPDesc> VACommonVideoEffects::listHaveGPL(bool haveGPL) {
    std::vector<VADSPDesc> out;
    for (const XStr& name : listNames()) {
        out.push_back(VADSPDesc::makeVideoDSP(name, haveGPL || !isGPL(name)));
    }
    return out;
}

std::vector<VADSPDesc> VACommonVideoEffects::list() {
    return listHaveGPL(VALocateFFmpeg::gplEncodersOffered());
}
