// A slider over a decimal setting: whole positions, each one step of the value.
#pragma once

#include <algorithm>
#include <cmath>

struct VVCDSPSliderScale {
    double minimum;
    double maximum;
    double step;

    int minimumPosition() const { return static_cast<int>(std::lround(minimum / step)); }
    int maximumPosition() const { return static_cast<int>(std::lround(maximum / step)); }
    // A value read from a text may lie outside the slider; the knob then rests at an end.
    int positionOf(double value) const {
        if (!std::isfinite(value)) {
            return minimumPosition();
        }
        const double p = std::round(value / step);
        return static_cast<int>(std::clamp(p, static_cast<double>(minimumPosition()),
                                           static_cast<double>(maximumPosition())));
    }
    double valueAt(int position) const { return position * step; }
};
