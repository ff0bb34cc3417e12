// An encoder without settings: its fixed argument text replaces whatever the host held
// every time the page loads.
#pragma once

#include "VMCEncoderPage.h"

class VVCEncoderPageNoOptions : public VMCEncoderPage {
public:
    // logoName names the codec image shown on the page.
    VVCEncoderPageNoOptions(VMCEncoderPageHost* host, XStr fixedArgs, const XStr& logoName);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override { return {}; }

    const XStr& encoderArgs() const { return mArgs; }
    const XStr& codecLogo() const { return mCodecLogo; }

protected:
    void applyControl(const VVCControl&, const VVCControlValue&) override {}

private:
    XStr mArgs;
    XStr mCodecLogo;
};
