// One job: the checked sources, the encoder with its arguments, and the effect chain.
#pragma once

#include <optional>
#include <vector>

#include "VAConversionEntry.h"
#include "VADSPList.h"
#include "VADSPSpec.h"
#include "VAEncoderArgs.h"
#include "VAEncoderDesc.h"
#include "XStr.h"

struct VAConversionSpec {
    std::vector<VAConversionEntry> entries;
    // Empty when the profile's encoder name is not in the catalogue.
    std::optional<VAEncoderDesc> Encoder;
    VAEncoderArgs EncoderArgsV2;
    // In the order the user arranged them.
    VADSPChain dspEffects;
    // Whether the entries of one source for several encoders (those with multiEncData) may
    // run at the same time.
    bool multiCPU = true;

    XStr dspString() const { return mergeDSPString(dspEffects); }
    void setDspString(const XStr& text) { dspEffects = splitDSPString(text); }

    static XStr mergeDSPString(const VADSPChain& chain) { return VADSPList::mergeDSPString(chain); }
    static VADSPChain splitDSPString(const XStr& text) { return VADSPList::splitDSPString(text); }
};
