// Flash Video with FFmpeg's default codecs at a fixed quantiser scale.
#pragma once

#include "VVCEncoderPageQScaleFormat.h"

class VVCEncoderPageFlash : public VVCEncoderPageQScaleFormat {
public:
    explicit VVCEncoderPageFlash(VMCEncoderPageHost* host)
        : VVCEncoderPageQScaleFormat(host, "flv") {}
};
