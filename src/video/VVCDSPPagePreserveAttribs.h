// Preserve Source Attributes: the engine copies the source's file times to the output.
#pragma once

#include "VVCDSPPageFixed.h"

class VVCDSPPagePreserveAttribs : public VVCDSPPageFixed {
public:
    VVCDSPPagePreserveAttribs()
        : VVCDSPPageFixed(
              "", "Gives the converted file the source file's access and modification times.") {}
};
