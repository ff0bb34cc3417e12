// AAC audio copied unchanged into an M4A file.
#pragma once

#include "VVCEncoderPageExtractAudio.h"

class VVCEncoderPageExtractAudioAAC : public VVCEncoderPageExtractAudio {
public:
    explicit VVCEncoderPageExtractAudioAAC(VMCEncoderPageHost* host)
        : VVCEncoderPageExtractAudio(
              host, true,
              "Note: AAC audio is extracted 1:1, the source file has to contain AAC audio.") {}
};
