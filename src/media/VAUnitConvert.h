// Time fields and level conversions between decibels, factors and percentages (0 dB is
// full scale of 16-bit audio).
#pragma once

#include <cstdint>

class VAUnitConvert {
public:
    // Without an hours field the minutes do not wrap at 60. Null fields are skipped.
    static void splitTime(uint64_t ms, int64_t* hours, int64_t* minutes, int64_t* seconds,
                          int64_t* milliseconds);
    static int64_t mergeTime(int64_t hours, int64_t minutes, int64_t seconds, int64_t ms);

    static double dBToMultiply(double dB);
    static double dBToPercent(double dB);
    static int64_t dBToPercentInt(double dB);
    // -96.3 for a percentage not above 0 or above 100.
    static double percentToDB(double percent);
    static double multiplyToDB(double factor);
};
