// Crop: keeps a rectangle of the picture.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageCrop : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    int64_t mWidth = 1024;
    int64_t mHeight = 768;
    int64_t mX = 0;
    int64_t mY = 0;
};
