#include "VANumberFormat.h"

#include <cmath>

namespace {

// The largest magnitude the decimal form writes digit by digit.
constexpr double kMaxScaled = 1.8e19;

XStr groupDigits(const XStr& digits) {
    XStr out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += VANumberFormat::kThousandsSeparator;
        }
        out += digits[i];
    }
    return out;
}

}  // namespace

XStr VANumberFormat::grouped(uint64_t value) {
    return groupDigits(XStr::number(value));
}

XStr VANumberFormat::grouped(int64_t value) {
    if (value >= 0) {
        return grouped(static_cast<uint64_t>(value));
    }
    // Negated as unsigned so that the smallest value has a magnitude too.
    const uint64_t magnitude = 0 - static_cast<uint64_t>(value);
    return "-" + grouped(magnitude);
}

XStr VANumberFormat::decimal(double value, int decimals) {
    if (std::isnan(value)) {
        return "0";
    }
    decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    const double scale = std::pow(10.0, decimals);
    double scaled = std::fabs(value) * scale + 0.49;
    if (!(scaled < kMaxScaled)) {
        scaled = kMaxScaled;
    }
    XStr digits = XStr::number(static_cast<uint64_t>(scaled));
    const bool zero = digits == "0";
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits = XStr(static_cast<std::size_t>(decimals) + 1 - digits.size(), U'0') + digits;
    }
    const std::size_t integerDigits = digits.size() - static_cast<std::size_t>(decimals);
    XStr text = groupDigits(digits.left(integerDigits));
    XStr fraction = digits.substr(integerDigits);
    while (!fraction.empty() && fraction.back() == U'0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += kDecimalSeparator;
        text += fraction;
    }
    // A value that rounds to nothing shows no sign.
    return value < 0 && !zero ? "-" + text : text;
}
