// DVD video (VOB) with fixed settings.
#pragma once

#include "VVCEncoderPageNoOptions.h"

class VVCEncoderPageVOB : public VVCEncoderPageNoOptions {
public:
    explicit VVCEncoderPageVOB(VMCEncoderPageHost* host)
        : VVCEncoderPageNoOptions(host, kArgs, "VOB") {}

    static constexpr const char* kArgs =
        " -f vob -vf scale=720:576:lanczos,smartblur=1.0:-0.4,colormatrix=bt709:bt601,"
        "setdar=16/9,setsar=64/45 -target ntsc-dvd";
};
