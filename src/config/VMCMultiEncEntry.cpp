// The copies of a multi-encoder entry, which the records' layer cannot make: the naming
// settings are only complete here.
#include "VMCMultiEncEntry.h"

#include "VMCFileNaming.h"

VMCMultiEncEntry VMCMultiEncEntry::copy() const {
    VMCMultiEncEntry out;
    out.copyFrom(*this);
    return out;
}

void VMCMultiEncEntry::copyFrom(const VMCMultiEncEntry& other) {
    encoder = other.encoder;
    encoderArgsV2 = other.encoderArgsV2.copy();
    fileNaming = other.fileNaming ? std::make_shared<VMCFileNaming>(other.fileNaming->copy())
                                  : std::make_shared<VMCFileNaming>();
    dspEffects.clear();
    for (const VADSPSpec& dsp : other.dspEffects) {
        dspEffects.push_back(dsp.copy());
    }
}
