// Reverse: plays picture and sound backwards.
#pragma once

#include "VVCDSPPageFixed.h"

class VVCDSPPageReverse : public VVCDSPPageFixed {
public:
    VVCDSPPageReverse()
        : VVCDSPPageFixed("-vf reverse -af areverse",
                          "Plays the video and its sound backwards. The whole clip is held in "
                          "memory, so use it on short clips.") {}
};
