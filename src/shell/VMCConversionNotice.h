// The note the desktop shows when a conversion ends while its window is in the background.
#pragma once

#include <cstdint>

#include "XStr.h"

struct VMCConversionNotice {
    XStr summary;
    XStr body;

    // "3 files converted", "1 file converted, 2 failed", "No files converted, 1 failed".
    static VMCConversionNotice forResult(uint32_t converted, uint32_t failed);

    friend bool operator==(const VMCConversionNotice&, const VMCConversionNotice&) = default;
};
