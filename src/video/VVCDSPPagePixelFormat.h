// Pixel Format: converts the picture to one pixel format of "Pixel Formats".
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPagePixelFormat : public VMCDSPPage {
public:
    VVCDSPPagePixelFormat();

    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override { return "-pix_fmt " + mPixelFormat; }
    // The value of "pix_fmt", or the default when the text has none.
    void setDspArgs(const XStr& args) override;

    const XStr& pixelFormat() const { return mPixelFormat; }
    const XStrList& formats() const { return mFormats; }

    static constexpr const char* kDefaultFormat = "rgb24";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    XStrList mFormats;
    XStr mPixelFormat = kDefaultFormat;
};
