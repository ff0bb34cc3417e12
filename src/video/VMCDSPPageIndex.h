// Turns an effect's catalogue name into a new page for it.
#pragma once

#include <memory>

#include "VMCDSPPage.h"
#include "XStr.h"

class VMCDSPPageIndex {
public:
    // The converter's own effects here, every other name through the common effects; null
    // for an unknown name. A new page holds the defaults; hand it the effect's stored text
    // (the empty one for a new effect) with setDspArgs.
    static std::unique_ptr<VMCDSPPage> createFor(const XStr& name);
};
