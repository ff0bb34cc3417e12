// The pages of the common effects; the rest of VACommonVideoEffects is the catalogue.
#include "VACommonVideoEffects.h"
#include "VVCDSPPageBrightnessContrast.h"
#include "VVCDSPPageCanvasSize.h"
#include "VVCDSPPageCrop.h"
#include "VVCDSPPageCustom.h"
#include "VVCDSPPageDeleteSourceFile.h"
#include "VVCDSPPageDenoiserSpatial.h"
#include "VVCDSPPageDenoiserWavelet.h"
#include "VVCDSPPageFlip.h"
#include "VVCDSPPageHQDN3D.h"
#include "VVCDSPPageHSB.h"
#include "VVCDSPPageMaker.h"
#include "VVCDSPPageMultiCPUForce.h"
#include "VVCDSPPagePixelFormat.h"
#include "VVCDSPPagePreserveAttribs.h"
#include "VVCDSPPageRotate.h"
#include "VVCDSPPageScalePercentage.h"
#include "VVCDSPPageSharpenBlur.h"
#include "VVCDSPPageWatermark.h"

namespace {

using Maker = VVCDSPPageMaker;

const Maker::Table& commonPages() {
    static const Maker::Table pages = {
        {"Delete Source File", Maker::make<VVCDSPPageDeleteSourceFile>},
        {"Flip", Maker::make<VVCDSPPageFlip>},
        {"Hue & Saturation", Maker::make<VVCDSPPageHSB>},
        {"Multi-CPU Force", Maker::make<VVCDSPPageMultiCPUForce>},
        {"Preserve Source Attributes", Maker::make<VVCDSPPagePreserveAttribs>},
        {"Rotate", Maker::make<VVCDSPPageRotate>},
        {"[Custom]", Maker::make<VVCDSPPageCustom>},
        {"Brightness & Contrast", Maker::make<VVCDSPPageBrightnessContrast>},
        {"Sharpen & Blur", Maker::make<VVCDSPPageSharpenBlur>},
        {"Watermark", Maker::make<VVCDSPPageWatermark>},
        {"Denoiser (High Precision 3D)", Maker::make<VVCDSPPageHQDN3D>},
        {"Denoiser (Spatial Denoiser)", Maker::make<VVCDSPPageDenoiserSpatial>},
        {"Denoiser (Wavelet)", Maker::make<VVCDSPPageDenoiserWavelet>},
        {"Canvas Size", Maker::make<VVCDSPPageCanvasSize>},
        {"Scale Percentage", Maker::make<VVCDSPPageScalePercentage>},
        {"Pixel Format", Maker::make<VVCDSPPagePixelFormat>},
        {"Crop", Maker::make<VVCDSPPageCrop>},
    };
    return pages;
}

}  // namespace

std::unique_ptr<VMCDSPPage> VACommonVideoEffects::createPageFor(const XStr& name) {
    return Maker::create(commonPages(), name);
}
