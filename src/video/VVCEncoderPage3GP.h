// 3GP for phones: H.263 at one of five picture sizes with AMR audio, or H.264 with AAC.
#pragma once

#include "VMCEncoderPage.h"

class VVCEncoderPage3GP : public VMCEncoderPage {
public:
    explicit VVCEncoderPage3GP(VMCEncoderPageHost* host);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    XStr encoderArgs() const;
    unsigned optionIndex() const { return mOptionIndex; }
    void optionChanged(unsigned index);

    // "H263 (128x96)" ... "H264".
    static XStrList optionVals();
    static const XStrList& scaleVals();
    static constexpr unsigned kH264Index = 5;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void readArgs(const XStr& args);

    unsigned mOptionIndex = 0;
};
