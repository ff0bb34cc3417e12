// Audio Mute: the output gets no sound.
#pragma once

#include "VVCDSPPageFixed.h"

class VVCDSPPageMute : public VVCDSPPageFixed {
public:
    VVCDSPPageMute()
        : VVCDSPPageFixed("-frames:a 0", "Removes the sound: the output has no audio stream.") {}
};
