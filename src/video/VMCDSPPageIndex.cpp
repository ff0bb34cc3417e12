#include "VMCDSPPageIndex.h"

#include "VACommonVideoEffects.h"
#include "VVCDSPPageACC.h"
#include "VVCDSPPageAR.h"
#include "VVCDSPPageAudioBitrate.h"
#include "VVCDSPPageDeinterlace.h"
#include "VVCDSPPageFrameRate.h"
#include "VVCDSPPageLoopVideo.h"
#include "VVCDSPPageMaker.h"
#include "VVCDSPPageMute.h"
#include "VVCDSPPageNormalize.h"
#include "VVCDSPPageResample.h"
#include "VVCDSPPageReverse.h"
#include "VVCDSPPageScale.h"
#include "VVCDSPPageScaleMax.h"
#include "VVCDSPPageSpeedAdjust.h"
#include "VVCDSPPageTrim.h"

namespace {

using Maker = VVCDSPPageMaker;

const Maker::Table& ownPages() {
    static const Maker::Table pages = {
        {"Aspect Ratio", Maker::make<VVCDSPPageAR>},
        {"Audio Channel Count", Maker::make<VVCDSPPageACC>},
        {"Audio Mute", Maker::make<VVCDSPPageMute>},
        {"Audio Normalize", Maker::make<VVCDSPPageNormalize>},
        {"Audio Resample", Maker::make<VVCDSPPageResample>},
        {"Deinterlace (yadif)", Maker::make<VVCDSPPageDeinterlace>},
        {"Frame Rate", Maker::make<VVCDSPPageFrameRate>},
        {"Speed Adjust", Maker::make<VVCDSPPageSpeedAdjust>},
        {"Cut", Maker::make<VVCDSPPageTrim>},
        {"Scale Absolute", Maker::make<VVCDSPPageScale>},
        {"Scale Maximum", Maker::make<VVCDSPPageScaleMax>},
        {"Audio Bitrate", Maker::make<VVCDSPPageAudioBitrate>},
        {"Reverse", Maker::make<VVCDSPPageReverse>},
        {"Loop", Maker::make<VVCDSPPageLoopVideo>},
    };
    return pages;
}

}  // namespace

std::unique_ptr<VMCDSPPage> VMCDSPPageIndex::createFor(const XStr& name) {
    if (auto page = Maker::create(ownPages(), name)) {
        return page;
    }
    return VACommonVideoEffects::createPageFor(name);
}
