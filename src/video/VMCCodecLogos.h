// The image of a codec or output format, shown on encoder pages: the resource
// "logos/codec-<name>.png", else the generic codec image.
#pragma once

#include "XStr.h"

class VMCCodecLogos {
public:
    // The image's path; empty only when even the generic image is missing.
    static XStr get(const XStr& name);
};
