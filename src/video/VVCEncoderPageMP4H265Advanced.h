// The advanced sheet of the H.265 page: the speed preset. Made fresh for each opening; the
// page takes its value only when it ends with OK.
#pragma once

#include <cstddef>

#include "VMCPage.h"

class VVCEncoderPageMP4H265Advanced : public VMCPage {
public:
    VVCEncoderPageMP4H265Advanced();

    std::vector<VVCControl> pageView() const override;

    XStr strQualityPreset() const;
    // Selects the row of exactly that value, else "medium".
    void setStrQualityPreset(const XStr& preset);
    std::size_t idxQualityPreset() const { return mPreset; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    std::size_t mPreset;
};
