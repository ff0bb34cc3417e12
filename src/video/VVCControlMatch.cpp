#include "VVCControlMatch.h"

#include <cmath>

namespace {

// "Blur 1.5", "128 kbps", "-45 degrees": words, a number, a unit; words and unit in their
// loose spelling.
struct Quantity {
    XStr words;
    double number = 0;
    // Empty for a bare number.
    XStr unit;
};

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

std::optional<Quantity> quantityOf(const XStr& text) {
    const XStr t = text.trimmed();
    // The number starts at the first digit, with a sign or a point just before it.
    std::size_t start = 0;
    while (start < t.size() && !isDigit(t[start])) {
        ++start;
    }
    if (start > 0 && t[start - 1] == U'.') {
        --start;
    }
    if (start > 0 && (t[start - 1] == U'-' || t[start - 1] == U'+')) {
        --start;
    }
    std::size_t i = start;
    if (i < t.size() && (t[i] == U'-' || t[i] == U'+')) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= U'0' && t[i] <= U'9') {
            digits = true;
        } else if (t[i] == U'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return Quantity{VVCControlMatch::loose(t.left(start)), t.substr(start, i - start).toDouble(),
                    VVCControlMatch::loose(t.substr(i))};
}

// Rates in kilobits per second: FFmpeg's "k" and "M" and the labels' "kbps" and "mbps".
std::optional<double> kilobitsPerUnit(const XStr& unit) {
    for (const char* kilo : {"k", "kb", "kbps", "kb/s", "kbit", "kbit/s"}) {
        if (unit == kilo) {
            return 1.0;
        }
    }
    for (const char* mega : {"m", "mb", "mbps", "mb/s", "mbit", "mbit/s"}) {
        if (unit == mega) {
            return 1000.0;
        }
    }
    return std::nullopt;
}

bool sameNumber(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

bool sameQuantity(const XStr& typed, const XStr& shown) {
    const std::optional<Quantity> t = quantityOf(typed);
    const std::optional<Quantity> s = quantityOf(shown);
    if (!t || !s || t->words != s->words) {
        return false;
    }
    // A bare number stands for the value in the unit shown.
    if (t->unit.empty() || t->unit == s->unit) {
        return sameNumber(t->number, s->number);
    }
    const std::optional<double> tk = kilobitsPerUnit(t->unit);
    const std::optional<double> sk = kilobitsPerUnit(s->unit);
    return tk && sk && sameNumber(t->number * *tk, s->number * *sk);
}

}  // namespace

namespace VVCControlMatch {

XStr loose(const XStr& text) {
    XStr out;
    for (const char32_t c : text.lowerASCII()) {
        if (c != U' ' && c != U'\t') {
            out += c;
        }
    }
    return out;
}

bool isPosition(const XStr& typed) {
    const XStr t = typed.trimmed();
    if (t.size() < 2 || t.front() != U'#') {
        return false;
    }
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (t[i] < U'0' || t[i] > U'9') {
            return false;
        }
    }
    return true;
}

std::optional<int> position(const XStr& typed, std::size_t count) {
    if (!isPosition(typed)) {
        return std::nullopt;
    }
    const int64_t n = typed.trimmed().substr(1).toInt64();
    if (n < 1 || static_cast<uint64_t>(n) > count) {
        return std::nullopt;
    }
    return static_cast<int>(n - 1);
}

std::optional<int> find(const XStr& typed, const XStrList& shown) {
    const XStr wanted = loose(typed);
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (loose(shown[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (sameQuantity(typed, shown[i])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace VVCControlMatch
