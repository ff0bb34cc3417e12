// Animated GIF with FFmpeg's defaults.
#pragma once

#include "VVCEncoderPageNoOptions.h"

class VVCEncoderPageGIF : public VVCEncoderPageNoOptions {
public:
    explicit VVCEncoderPageGIF(VMCEncoderPageHost* host)
        : VVCEncoderPageNoOptions(host, kArgs, "GIF") {}

    static constexpr const char* kArgs = " -f gif";
};
