// One encoder slot of a conversion: which job it works on and what that job last said.
#pragma once

#include <cstdint>

#include "XStr.h"

struct VMCCPU {
    static constexpr uint32_t kIdle = 0xFFFFFFFF;

    uint32_t indexOfThisCPU = 0;
    uint32_t currentTaskIndex = kIdle;
    uint32_t percentDone = 0;
    // The last length reported; kept when a new job starts.
    uint32_t lengthMS = 0;
    XStr status;
    double fps = 0;

    bool isBusy() const { return currentTaskIndex != kIdle; }
    XStr indexOfThisCPUString() const { return XStr::format("Encoder %u", indexOfThisCPU + 1); }
};
