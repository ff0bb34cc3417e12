#include "VADSPLogos.h"

#include "VALogoCache.h"

XStr VADSPLogos::get(const XStr& name) {
    static VALogoCache cache("logos/dsp-logo-");
    return cache.get(name);
}
