#include "XStr.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <ostream>

#include "XCase.h"
#include "XUtf8.h"

XStr::XStr(const char* utf8) {
    if (utf8 != nullptr) {
        XUtf8::appendDecoded(mUnits, utf8);
    }
}

XStr::XStr(std::string_view utf8) {
    XUtf8::appendDecoded(mUnits, utf8);
}

XStr::XStr(const std::string& utf8) {
    XUtf8::appendDecoded(mUnits, utf8);
}

XStr XStr::fromUtf8(std::string_view utf8) {
    return XStr(utf8);
}

XStr XStr::fromUtf8(const char* bytes, size_type length) {
    return XStr(std::string_view(bytes, length));
}

std::string XStr::utf8() const {
    return XUtf8::encode(mUnits);
}

std::string XStr::displayUtf8() const {
    return XUtf8::encodeForDisplay(mUnits);
}

XStr& XStr::operator+=(const XStr& other) {
    mUnits += other.mUnits;
    return *this;
}

XStr& XStr::operator+=(char32_t c) {
    mUnits.push_back(c);
    return *this;
}

XStr& XStr::operator+=(const char* utf8) {
    if (utf8 != nullptr) {
        XUtf8::appendDecoded(mUnits, utf8);
    }
    return *this;
}

XStr& XStr::append(std::u32string_view units) {
    mUnits.append(units);
    return *this;
}

bool XStr::startsWith(const XStr& prefix) const {
    return mUnits.size() >= prefix.size() && mUnits.compare(0, prefix.size(), prefix.mUnits) == 0;
}

bool XStr::endsWith(const XStr& suffix) const {
    return mUnits.size() >= suffix.size() &&
           mUnits.compare(mUnits.size() - suffix.size(), suffix.size(), suffix.mUnits) == 0;
}

XStr XStr::substr(size_type pos, size_type count) const {
    if (pos >= mUnits.size()) {
        return {};
    }
    return XStr(mUnits.substr(pos, count));
}

XStr XStr::right(size_type count) const {
    if (count >= mUnits.size()) {
        return *this;
    }
    return XStr(mUnits.substr(mUnits.size() - count));
}

XStr XStr::replaced(const XStr& from, const XStr& to) const {
    if (from.empty()) {
        return *this;
    }
    XStr out;
    out.reserve(mUnits.size());
    size_type pos = 0;
    for (;;) {
        const size_type hit = mUnits.find(from.mUnits, pos);
        if (hit == npos) {
            out.mUnits.append(mUnits, pos, npos);
            break;
        }
        out.mUnits.append(mUnits, pos, hit - pos);
        out.mUnits += to.mUnits;
        pos = hit + from.size();
    }
    return out;
}

void XStr::erase(size_type pos, size_type count) {
    if (pos < mUnits.size()) {
        mUnits.erase(pos, count);
    }
}

void XStr::insert(size_type pos, const XStr& text) {
    mUnits.insert(pos > mUnits.size() ? mUnits.size() : pos, text.mUnits);
}

XStr XStr::lowerASCII() const {
    XStr out(*this);
    for (char32_t& c : out.mUnits) {
        c = XCase::lower(c);
    }
    return out;
}

XStr XStr::upperASCII() const {
    XStr out(*this);
    for (char32_t& c : out.mUnits) {
        c = XCase::upper(c);
    }
    return out;
}

bool XStr::equalsNoCase(const XStr& other) const {
    if (mUnits.size() != other.mUnits.size()) {
        return false;
    }
    for (size_type i = 0; i < mUnits.size(); ++i) {
        if (XCase::lower(mUnits[i]) != XCase::lower(other.mUnits[i])) {
            return false;
        }
    }
    return true;
}

int XStr::compareNoCase(const XStr& other) const {
    const size_type n = std::min(mUnits.size(), other.mUnits.size());
    for (size_type i = 0; i < n; ++i) {
        const char32_t a = XCase::lower(mUnits[i]);
        const char32_t b = XCase::lower(other.mUnits[i]);
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    if (mUnits.size() == other.mUnits.size()) {
        return 0;
    }
    return mUnits.size() < other.mUnits.size() ? -1 : 1;
}

bool XStr::startsWithNoCase(const XStr& prefix) const {
    if (prefix.size() > mUnits.size()) {
        return false;
    }
    for (size_type i = 0; i < prefix.size(); ++i) {
        if (XCase::lower(mUnits[i]) != XCase::lower(prefix.mUnits[i])) {
            return false;
        }
    }
    return true;
}

XStr::size_type XStr::findNoCase(const XStr& needle, size_type from) const {
    if (needle.size() > mUnits.size()) {
        return npos;
    }
    for (size_type i = from; i + needle.size() <= mUnits.size(); ++i) {
        size_type k = 0;
        while (k < needle.size() && XCase::lower(mUnits[i + k]) == XCase::lower(needle[k])) {
            ++k;
        }
        if (k == needle.size()) {
            return i;
        }
    }
    return npos;
}

namespace {

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f';
}

}  // namespace

XStr XStr::trimmed() const {
    size_type b = 0;
    size_type e = mUnits.size();
    while (b < e && isSpace(mUnits[b])) {
        ++b;
    }
    while (e > b && isSpace(mUnits[e - 1])) {
        --e;
    }
    return XStr(mUnits.substr(b, e - b));
}

std::vector<XStr> XStr::split(char32_t separator) const {
    std::vector<XStr> parts;
    size_type start = 0;
    for (;;) {
        const size_type hit = mUnits.find(separator, start);
        if (hit == npos) {
            parts.emplace_back(mUnits.substr(start));
            break;
        }
        parts.emplace_back(mUnits.substr(start, hit - start));
        start = hit + 1;
    }
    return parts;
}

int64_t XStr::toInt64() const {
    size_type i = 0;
    while (i < mUnits.size() && isSpace(mUnits[i])) {
        ++i;
    }
    bool negative = false;
    if (i < mUnits.size() && (mUnits[i] == U'-' || mUnits[i] == U'+')) {
        negative = mUnits[i] == U'-';
        ++i;
    }
    // Accumulate as a negative number so that INT64_MIN is reachable.
    int64_t value = 0;
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    bool saturated = false;
    for (; i < mUnits.size() && XCase::isDigit(mUnits[i]); ++i) {
        const int digit = static_cast<int>(mUnits[i] - U'0');
        if (value < (kMin + digit) / 10) {
            saturated = true;
            value = kMin;
            continue;
        }
        if (!saturated) {
            value = value * 10 - digit;
        }
    }
    if (negative) {
        return value;
    }
    return value == kMin ? std::numeric_limits<int64_t>::max() : -value;
}

int XStr::toInt() const {
    const int64_t v = toInt64();
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

double XStr::toDouble() const {
    // Copy the longest numeric prefix as ASCII; from_chars reads it the same in every
    // locale.
    size_type i = 0;
    while (i < mUnits.size() && isSpace(mUnits[i])) {
        ++i;
    }
    std::string ascii;
    if (i < mUnits.size() && (mUnits[i] == U'-' || mUnits[i] == U'+')) {
        ascii.push_back(static_cast<char>(mUnits[i++]));
    }
    bool digits = false;
    while (i < mUnits.size() && XCase::isDigit(mUnits[i])) {
        ascii.push_back(static_cast<char>(mUnits[i++]));
        digits = true;
    }
    if (i < mUnits.size() && mUnits[i] == U'.') {
        ascii.push_back('.');
        ++i;
        while (i < mUnits.size() && XCase::isDigit(mUnits[i])) {
            ascii.push_back(static_cast<char>(mUnits[i++]));
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    if (i < mUnits.size() && (mUnits[i] == U'e' || mUnits[i] == U'E')) {
        std::string exp = "e";
        size_type j = i + 1;
        if (j < mUnits.size() && (mUnits[j] == U'-' || mUnits[j] == U'+')) {
            exp.push_back(static_cast<char>(mUnits[j++]));
        }
        bool expDigits = false;
        while (j < mUnits.size() && XCase::isDigit(mUnits[j])) {
            exp.push_back(static_cast<char>(mUnits[j++]));
            expDigits = true;
        }
        if (expDigits) {
            ascii += exp;
        }
    }
    const char* first = ascii.data();
    if (*first == '+') {
        ++first;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = *first == '-';
        // Too large saturates to infinity, too small to zero, as strtod does.
        bool large = ascii.find('e') == std::string::npos || ascii.find("e-") == std::string::npos;
        if (large) {
            return negative ? -HUGE_VAL : HUGE_VAL;
        }
        return negative ? -0.0 : 0.0;
    }
    return value;
}

XStr XStr::number(int64_t value) {
    return XStr(std::to_string(value));
}

XStr XStr::number(uint64_t value) {
    return XStr(std::to_string(value));
}

XStr XStr::format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string buffer;
    if (needed > 0) {
        buffer.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), fmt, args);
        buffer.resize(static_cast<std::size_t>(needed));
    }
    va_end(args);
    return XStr(buffer);
}

XStr XStr::join(const std::vector<XStr>& parts, const XStr& separator) {
    XStr out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        out += parts[i];
    }
    return out;
}

std::ostream& operator<<(std::ostream& out, const XStr& s) {
    return out << s.utf8();
}

void PrintTo(const XStr& s, std::ostream* out) {
    *out << '"' << s.utf8() << '"';
}
