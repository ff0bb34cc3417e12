// The effect-chain string: the text form in which an effect chain is stored, copied and
// edited, one -dspeffectN="name=args" item per effect numbered from 1.
#pragma once

#include <vector>

#include "VADSPSpec.h"
#include "XStr.h"

using VADSPChain = std::vector<VADSPSpec>;

class VADSPList {
public:
    // Double quotes in args are stored as "{qt}"; backslashes in names and args, and
    // double quotes in names, are escaped so that every chain reads back unchanged.
    static XStr mergeDSPString(const VADSPChain& chain);
    // The unbroken run of items from 1; never fails, names are not checked.
    static VADSPChain splitDSPString(const XStr& text);

    static XStr dspsToString(const VADSPChain& chain) { return mergeDSPString(chain); }
    static VADSPChain stringToDSPs(const XStr& text) { return splitDSPString(text); }
};
