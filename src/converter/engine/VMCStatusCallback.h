// What a run tells its host: length, percentage, speed, information and error lines.
// Called on the run's own threads; implementations pass the reports on to the main thread.
#pragma once

#include <cstdint>

#include "XStr.h"

class VMCStatusCallback {
public:
    virtual ~VMCStatusCallback() = default;
    virtual void onLengthMS(int64_t lengthMS) = 0;
    virtual void onPercentDone(int32_t percent) = 0;
    virtual void onFPS(double fps) = 0;
    virtual void onInfoLine(const XStr& line) = 0;
    virtual void onErrorLine(const XStr& line) = 0;
};
