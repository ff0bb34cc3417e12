// Denoiser (Wavelet): FFmpeg's vaguedenoiser filter.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageDenoiserWavelet : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    const XStr& method() const { return mMethod; }

    // The filter's thresholding methods as the page shows them; the text has them in
    // lower case.
    static XStrList methods() { return {"Hard", "Soft", "Garrote"}; }
    // First letter of each word upper case, the rest lower case.
    static XStr capitalized(const XStr& text);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    double mThreshold = 1.8;
    // Empty when a text named none; FFmpeg's own default then applies.
    XStr mMethod = "Garrote";
    uint32_t mSteps = 6;
    uint32_t mPlanes = 15;
    uint32_t mStrength = 85;
};
