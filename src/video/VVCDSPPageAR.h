// Aspect Ratio: the display aspect ratio, from the presets of "Aspect Ratio Data".
#pragma once

#include "VVCDSPPagePresetChoice.h"

class VVCDSPPageAR : public VVCDSPPagePresetChoice {
public:
    VVCDSPPageAR() : VVCDSPPagePresetChoice("Aspect Ratio Data", "Aspect ratio") {}
};
