// What every benchmark measures with: a monotonic clock in seconds and the median of runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

inline double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
