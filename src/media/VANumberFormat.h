// Numbers as people read them: the product's fixed separators ("," between groups of
// three, "." before decimals, "-" in front).
#pragma once

#include <cstdint>

#include "XStr.h"

namespace VANumberFormat {

constexpr char32_t kThousandsSeparator = U',';
constexpr char32_t kDecimalSeparator = U'.';
constexpr char32_t kTimeSeparator = U':';

XStr grouped(int64_t value);
XStr grouped(uint64_t value);
// Up to that many decimals, rounded from .51 up; trailing zeros and a bare point dropped.
XStr decimal(double value, int decimals);

}  // namespace VANumberFormat
