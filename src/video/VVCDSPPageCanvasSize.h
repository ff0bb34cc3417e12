// Canvas Size: places the picture unscaled on a larger canvas at one of nine positions.
#pragma once

#include "VMCDSPPage.h"
#include "VVCDSPPositions.h"

class VVCDSPPageCanvasSize : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    std::size_t idxPosition() const { return mIdxPosition; }

    // What follows width and height in the pad filter, per position.
    static const VVCDSPPositions::Texts kPositionTexts;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    int64_t mWidth = 1920;
    int64_t mHeight = 1080;
    std::size_t mIdxPosition = 0;
};
