// Delete Source File: the engine deletes the source after a clean conversion.
#pragma once

#include "VVCDSPPageFixed.h"

class VVCDSPPageDeleteSourceFile : public VVCDSPPageFixed {
public:
    VVCDSPPageDeleteSourceFile()
        : VVCDSPPageFixed("", "Deletes the source file after it was converted without errors.") {}
};
