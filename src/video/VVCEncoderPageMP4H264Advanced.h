// The advanced sheet of the H.264 page: speed preset, tuning and maximum compatibility.
// It is made fresh for each opening; the page takes its values only when it ends with OK.
#pragma once

#include <cstddef>

#include "VMCPage.h"

class VVCEncoderPageMP4H264Advanced : public VMCPage {
public:
    VVCEncoderPageMP4H264Advanced();

    std::vector<VVCControl> pageView() const override;

    XStr strQualityPreset() const;
    // Selects the row of exactly that value, else "medium".
    void setStrQualityPreset(const XStr& preset);
    XStr strTuneFor() const;
    // Selects the row of exactly that value, else no tuning.
    void setStrTuneFor(const XStr& tune);
    bool bMaximumCompatibility() const { return mMaximumCompatibility; }
    void setMaximumCompatibility(bool on) { mMaximumCompatibility = on; }

    std::size_t idxQualityPreset() const { return mPreset; }
    std::size_t idxTuneFor() const { return mTune; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    std::size_t mPreset;
    std::size_t mTune;
    bool mMaximumCompatibility = false;
};
