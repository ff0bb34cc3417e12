// The catalogue of output formats. Part of it needs an FFmpeg with the GPL encoders and is
// listed only when such an FFmpeg is offered.
#pragma once

#include <vector>

#include "VAEncoderDesc.h"
#include "XStr.h"

class VVCCodecs {
public:
    // The encoders offered always, in catalogue order.
    static std::vector<VAEncoderDesc> listEncodersLGPL();
    // The encoders offered only with GPL encoders, in catalogue order.
    static std::vector<VAEncoderDesc> listEncodersGPL();
    // Every offered encoder and the multi encoder, sorted by name by character code.
    static std::vector<VAEncoderDesc> listEncoders();
    static std::vector<VAEncoderDesc> listEncoders(bool gplOffered);
    // Whether the encoder of that name is offered only with GPL encoders.
    static bool isGPL(const XStr& name);
};
