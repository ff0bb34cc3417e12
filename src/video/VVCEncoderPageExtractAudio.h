// Writes only one audio stream of the source: copied unchanged (AAC, MP3) or encoded by
// FFmpeg for the container (WAVE).
#pragma once

#include <cstdint>

#include "VMCEncoderPage.h"

class VVCEncoderPageExtractAudio : public VMCEncoderPage {
public:
    // An empty note shows none.
    VVCEncoderPageExtractAudio(VMCEncoderPageHost* host, bool acodecCopy, XStr note);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    // Writes the text of the current settings to the host.
    void refreshArgs();
    XStr encoderArgs() const;
    // The 0-based index of the source's audio stream.
    void streamChanged(uint32_t idxStream);

    uint32_t idxStream() const { return mIdxStream; }
    bool acodecCopy() const { return mAcodecCopy; }
    const XStr& strNote() const { return mNote; }

    // The choice offers at least this many streams, more when a stored text names a later one.
    static constexpr uint32_t kOfferedStreams = 8;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    uint32_t mIdxStream = 0;
    bool mAcodecCopy;
    XStr mNote;
};
