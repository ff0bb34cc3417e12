#include "VAUnitConvert.h"

#include <cmath>

namespace {

// 20 log10(65535): the level of full scale.
constexpr double kFullScaleDB = 96.32946607530499;
constexpr double kSilenceDB = -96.3;

}  // namespace

void VAUnitConvert::splitTime(uint64_t ms, int64_t* hours, int64_t* minutes, int64_t* seconds,
                              int64_t* milliseconds) {
    if (milliseconds != nullptr) {
        *milliseconds = static_cast<int64_t>(ms % 1000);
    }
    if (seconds != nullptr) {
        *seconds = static_cast<int64_t>((ms / 1000) % 60);
    }
    if (hours != nullptr) {
        *hours = static_cast<int64_t>(ms / 3600000);
        if (minutes != nullptr) {
            *minutes = static_cast<int64_t>((ms / 60000) % 60);
        }
    } else if (minutes != nullptr) {
        *minutes = static_cast<int64_t>(ms / 60000);
    }
}

int64_t VAUnitConvert::mergeTime(int64_t hours, int64_t minutes, int64_t seconds, int64_t ms) {
    return hours * 3600000 + minutes * 60000 + seconds * 1000 + ms;
}

double VAUnitConvert::dBToMultiply(double dB) {
    const double factor = std::pow(10.0, (dB + kFullScaleDB) / 20.0) / 65535.0;
    return factor > 0 ? factor : 0;
}

double VAUnitConvert::dBToPercent(double dB) {
    return dBToMultiply(dB) * 100.0;
}

int64_t VAUnitConvert::dBToPercentInt(double dB) {
    const double rounded = std::floor(dBToPercent(dB) + 0.5);
    // Levels far above full scale saturate instead of overflowing.
    return rounded < 9.0e18 ? static_cast<int64_t>(rounded) : INT64_MAX;
}

double VAUnitConvert::percentToDB(double percent) {
    if (!(percent > 0) || percent > 100) {
        return kSilenceDB;
    }
    return 20.0 * std::log10(percent * 65535.0 / 100.0) - kFullScaleDB;
}

double VAUnitConvert::multiplyToDB(double factor) {
    return percentToDB(factor * 100.0);
}
