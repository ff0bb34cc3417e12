#include "VVCDSPPagePixelFormat.h"

#include "VAElemValueList.h"
#include "VVCDSPPresets.h"

VVCDSPPagePixelFormat::VVCDSPPagePixelFormat()
    : mFormats(VVCDSPPresets::loadNames("Pixel Formats")) {}

std::vector<VVCControl> VVCDSPPagePixelFormat::pageView() const {
    int index = -1;
    for (std::size_t i = 0; i < mFormats.size(); ++i) {
        if (mFormats[i] == mPixelFormat) {
            index = static_cast<int>(i);
        }
    }
    return {VVCControl::choice("format", "Pixel format", mFormats, index)};
}

void VVCDSPPagePixelFormat::setDspArgs(const XStr& args) {
    mPixelFormat = VAElemValueList(args).findValue("pix_fmt", kDefaultFormat);
}

void VVCDSPPagePixelFormat::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "format") {
        mPixelFormat = value.text;
    }
}
