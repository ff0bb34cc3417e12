// How a conversion ended, as the printers report it last.
#pragma once

#include <cstdint>

struct VCliSummary {
    uint32_t jobs = 0;
    uint32_t succeeded = 0;
    uint32_t failed = 0;
    bool cancelled = false;
    int exitCode = 0;
};
