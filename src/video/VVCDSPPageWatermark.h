// Watermark: lays a PNG image over the picture at one of nine positions.
#pragma once

#include "VMCDSPPage.h"
#include "VVCDSPPositions.h"

class VVCDSPPageWatermark : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    // The image as a second input and the overlay at its position.
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;
    // Valid only with an existing PNG file.
    bool dspValidate(XStr* why) override;

    const XStr& imagePath() const { return mImagePath; }
    std::size_t comboIndex() const { return mComboIndex; }

    static const VVCDSPPositions::Texts kCoordinates;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    XStr mImagePath;
    std::size_t mComboIndex = 0;
};
