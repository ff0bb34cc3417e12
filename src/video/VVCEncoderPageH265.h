// H.265 through libx265: the common rate control (without qscale), the audio choice of the
// container, and the speed preset in an advanced sheet.
#pragma once

#include <memory>

#include "VVCAudioOptions.h"
#include "VVCEncoderPageCommon.h"
#include "VVCEncoderPageMP4H265Advanced.h"

class VVCEncoderPageH265 : public VVCEncoderPageCommon {
public:
    // The format only chooses the audio options.
    VVCEncoderPageH265(VMCEncoderPageHost* host, const XStr& format);

    XStr encoderArgs() const override;
    void setEncoderArgs(const XStr& args) override;
    void fillDefaultArgs() override;

    std::vector<VVCControl> pageView() const override;
    VMCPage* openSheet(const XStr& id) override;
    void closeSheet(const XStr& id, bool ok) override;

    // 0 average bitrate, 1 constant bitrate, 2 CRF, 3 lossless.
    void optionChanged(unsigned index);
    void audioOptionChanged(unsigned index);

    const XStr& format() const { return mFormat; }
    const VVCAudioOptions& audioOptions() const { return mAudioOptions; }
    unsigned optionIndex() const { return mOptionIndex; }
    unsigned audioOptionIndex() const { return mAudioOptionIndex; }
    const XStr& strQualityPreset() const { return mPreset; }

    static constexpr const char* kAdvancedId = "advanced";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void followMode();

    XStr mFormat;
    VVCAudioOptions mAudioOptions;
    unsigned mAudioOptionIndex = 0;
    unsigned mOptionIndex = 0;
    XStr mPreset;
    std::unique_ptr<VVCEncoderPageMP4H265Advanced> mSheet;
};
