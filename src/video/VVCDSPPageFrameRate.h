// Frame Rate: the output frame rate, from the presets of "Frame Rate Data".
#pragma once

#include "VVCDSPPagePresetChoice.h"

class VVCDSPPageFrameRate : public VVCDSPPagePresetChoice {
public:
    VVCDSPPageFrameRate() : VVCDSPPagePresetChoice("Frame Rate Data", "Frame rate") {}
};
