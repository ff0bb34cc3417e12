// The receiver of a conversion's status reports, always called on the main thread.
#pragma once

#include <cstdint>

#include "XStr.h"

class VMCStatusHost {
public:
    virtual ~VMCStatusHost() = default;
    virtual void onStatusAction(const XStr& status, uint32_t arg) = 0;
    virtual void onLengthMS(int64_t lengthMS, uint32_t arg) = 0;
    virtual void onFPS(double fps, uint32_t arg) = 0;
    virtual void onStatusPercentDone(int32_t percent, uint32_t arg) = 0;
    virtual void onStatusInfoLine(const XStr& line, uint32_t arg) = 0;
    virtual void onStatusErrorLine(const XStr& line, uint32_t arg) = 0;
};
