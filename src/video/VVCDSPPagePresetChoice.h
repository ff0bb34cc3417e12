// An effect page that offers the presets of one resource and writes the chosen preset's
// text unchanged: aspect ratio, frame rate, loudness, sample rate and channel count.
#pragma once

#include "VMCDSPPage.h"
#include "VVCDSPPresets.h"

class VVCDSPPagePresetChoice : public VMCDSPPage {
public:
    VVCDSPPagePresetChoice(const XStr& resourceName, XStr title);

    std::vector<VVCControl> pageView() const override;
    // The selected preset's value; the empty text when the selection is beyond the list.
    XStr dspArgs() const override;
    // The first preset whose value is the text becomes the selection; otherwise it stays.
    void setDspArgs(const XStr& args) override;

    const VVCDSPPresets& presets() const { return mPresets; }
    std::size_t selected() const { return mSelected; }

    static constexpr const char* kPresetId = "preset";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    VVCDSPPresets mPresets;
    XStr mTitle;
    std::size_t mSelected = 0;
};
