// Any audio written by FFmpeg into a WAVE file.
#pragma once

#include "VVCEncoderPageExtractAudio.h"

class VVCEncoderPageExtractAudioWAV : public VVCEncoderPageExtractAudio {
public:
    explicit VVCEncoderPageExtractAudioWAV(VMCEncoderPageHost* host)
        : VVCEncoderPageExtractAudio(host, false, XStr()) {}
};
