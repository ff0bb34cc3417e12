// The catalogue of effects: the converter's own effects, always offered, and the common
// ones, of which those needing GPL filters are hidden from adding without them.
#pragma once

#include <vector>

#include "VADSPDesc.h"
#include "XStr.h"

class VVCDSPs {
public:
    // The own effects, in catalogue order.
    static XStrList listNames();
    static bool isOwn(const XStr& name);
    // Own and common effects sorted by name (character code); hidden ones included.
    static std::vector<VADSPDesc> list();
    static std::vector<VADSPDesc> list(bool gplOffered);
    // An enabled effect description.
    static VADSPDesc makeVideoDSP(const XStr& name);
};
