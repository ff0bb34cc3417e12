// MP3 audio copied unchanged into an MP3 file.
#pragma once

#include "VVCEncoderPageExtractAudio.h"

class VVCEncoderPageExtractAudioMP3 : public VVCEncoderPageExtractAudio {
public:
    explicit VVCEncoderPageExtractAudioMP3(VMCEncoderPageHost* host)
        : VVCEncoderPageExtractAudio(
              host, true,
              "Note: mp3 audio is extracted 1:1, the source file has to contain mp3 audio.") {}
};
