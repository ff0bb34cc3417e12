// Scale Absolute: scales the picture to a preset size of "Scale Data" or a custom one.
#pragma once

#include "VVCDSPPageScaleBase.h"
#include "VVCDSPPresets.h"

class VVCDSPPageScale : public VVCDSPPageScaleBase {
public:
    VVCDSPPageScale();

    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    static constexpr const char* kDefaultArgs = "-vf scale=1920:1080";

private:
    VVCDSPPresets mPresets;
};
