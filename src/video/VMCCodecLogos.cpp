#include "VMCCodecLogos.h"

#include "VALogoCache.h"

XStr VMCCodecLogos::get(const XStr& name) {
    static VALogoCache cache("logos/codec-");
    return cache.get(name);
}
