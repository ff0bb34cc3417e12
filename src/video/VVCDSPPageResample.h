// Audio Resample: the output sample rate, from the presets of "Audio Resample Data".
#pragma once

#include "VVCDSPPagePresetChoice.h"

class VVCDSPPageResample : public VVCDSPPagePresetChoice {
public:
    VVCDSPPageResample() : VVCDSPPagePresetChoice("Audio Resample Data", "Sample rate") {}
};
