// The effects shared by the converters. All are listed; the three that need GPL filters
// are hidden from adding when those are not offered, but their pages still open.
#pragma once

#include <memory>
#include <vector>

#include "VADSPDesc.h"
#include "VMCDSPPage.h"
#include "XStr.h"

class VACommonVideoEffects {
public:
    // The common effects, in catalogue order.
    static XStrList listNames();
    // The ones that need GPL filters.
    static XStrList listNamesGPL();
    static bool isGPL(const XStr& name);
    // Every common effect; the GPL ones hidden unless haveGPL.
    static std::vector<VADSPDesc> listHaveGPL(bool haveGPL);
    static std::vector<VADSPDesc> list();
    // A new page for a common effect, null for any other name; defined with the effect
    // pages.
    static std::unique_ptr<VMCDSPPage> createPageFor(const XStr& name);
};
