// Audio Normalize: loudness normalisation, from the presets of "Audio Normalize Data".
#pragma once

#include "VVCDSPPagePresetChoice.h"

class VVCDSPPageNormalize : public VVCDSPPagePresetChoice {
public:
    VVCDSPPageNormalize() : VVCDSPPagePresetChoice("Audio Normalize Data", "Loudness target") {}
};
