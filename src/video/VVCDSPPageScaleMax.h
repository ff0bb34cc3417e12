// Scale Maximum: shrinks a picture larger than a preset or custom size, optionally
// keeping its aspect ratio; smaller pictures stay as they are.
#pragma once

#include "VVCDSPPageScaleBase.h"

class VVCDSPPageScaleMax : public VVCDSPPageScaleBase {
public:
    VVCDSPPageScaleMax();

    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    bool preservesAspect() const { return mPreserveAspect; }

    static constexpr const char* kPreserveAspectId = "preserve-aspect";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void selectSize(Size size);

    std::vector<Size> mPairs;
    bool mPreserveAspect = false;
};
