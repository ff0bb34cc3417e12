// One configured encoder of the multi encoder: its encoder, arguments, effects and naming.
#pragma once

#include <memory>

#include "VADSPSpec.h"
#include "VAEncoderArgs.h"
#include "VAEncoderDesc.h"

// The naming settings belong to the naming layer; the records only carry them.
class VMCFileNaming;

class VMCMultiEncEntry {
public:
    VAEncoderDesc encoder;
    VAEncoderArgs encoderArgsV2;
    std::shared_ptr<VMCFileNaming> fileNaming;
    std::vector<VADSPSpec> dspEffects;

    // Copies of all four, the naming as a naming object of its own. Made by the
    // configuration layer, where the naming is known.
    VMCMultiEncEntry copy() const;
    void copyFrom(const VMCMultiEncEntry& other);
};
