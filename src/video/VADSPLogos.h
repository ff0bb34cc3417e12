// The small image of each effect, shown in the add-effect menu: the resource
// "logos/dsp-logo-<name>.png", else the generic effect image.
#pragma once

#include "XStr.h"

class VADSPLogos {
public:
    // The image's path; empty only when even the generic image is missing.
    static XStr get(const XStr& name);
};
