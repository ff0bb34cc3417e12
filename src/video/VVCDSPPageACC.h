// Audio Channel Count: the number of audio channels, from the presets of "Channel Count Data".
#pragma once

#include "VVCDSPPagePresetChoice.h"

class VVCDSPPageACC : public VVCDSPPagePresetChoice {
public:
    VVCDSPPageACC() : VVCDSPPagePresetChoice("Channel Count Data", "Channels") {}
};
