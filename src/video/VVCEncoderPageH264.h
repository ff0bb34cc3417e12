// H.264 through libx264: the common rate control (without qscale), the audio choice of the
// container, and in an advanced sheet the speed preset, tuning and maximum compatibility.
#pragma once

#include <memory>

#include "VVCAudioOptions.h"
#include "VVCEncoderPageCommon.h"
#include "VVCEncoderPageMP4H264Advanced.h"

class VVCEncoderPageH264 : public VVCEncoderPageCommon {
public:
    // The format only chooses the audio options.
    VVCEncoderPageH264(VMCEncoderPageHost* host, const XStr& format);

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
    const XStr& strTuneFor() const { return mTune; }
    bool bMaximumCompatiblility() const { return mMaximumCompatibility; }

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
    XStr mTune;
    bool mMaximumCompatibility = false;
    std::unique_ptr<VVCEncoderPageMP4H264Advanced> mSheet;
};
