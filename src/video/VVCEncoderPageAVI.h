// AVI with FFmpeg's default codecs at a fixed quantiser scale.
#pragma once

#include "VVCEncoderPageQScaleFormat.h"

class VVCEncoderPageAVI : public VVCEncoderPageQScaleFormat {
public:
    explicit VVCEncoderPageAVI(VMCEncoderPageHost* host)
        : VVCEncoderPageQScaleFormat(host, "avi") {}
};
