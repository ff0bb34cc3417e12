// Loop: plays the source several times in a row; the engine turns the count into inputs.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageLoopVideo : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    // The count of "loopvideo", or 1 when the text has none.
    void setDspArgs(const XStr& args) override;

    uint32_t loopCount() const { return mLoopCount; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    uint32_t mLoopCount = 1;
};
