// Wide string of the foundation: one 32-bit code unit per character. Text enters and
// leaves as UTF-8; everything in between counts characters, not bytes. File names are
// bytes: a byte that is not part of well-formed UTF-8 is kept as an escaped byte
// (U+DC80..U+DCFF, see XUtf8), so utf8() gives back exactly the bytes that came in.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class XStr {
public:
    using value_type = char32_t;
    using size_type = std::size_t;
    using iterator = std::u32string::iterator;
    using const_iterator = std::u32string::const_iterator;
    static constexpr size_type npos = std::u32string::npos;

    XStr() = default;
    // UTF-8 in; each byte of a malformed sequence becomes an escaped byte.
    XStr(const char* utf8);  // NOLINT(google-explicit-constructor): literals read as text
    XStr(std::string_view utf8);
    XStr(const std::string& utf8);
    explicit XStr(std::u32string units) : mUnits(std::move(units)) {}
    explicit XStr(std::u32string_view units) : mUnits(units) {}
    XStr(size_type count, char32_t c) : mUnits(count, c) {}

    static XStr fromUtf8(std::string_view utf8);
    static XStr fromUtf8(const char* bytes, size_type length);
    // The bytes for the system and for children (paths, argument vectors): escaped bytes
    // become their raw byte again; other units that are no Unicode scalar value become
    // U+FFFD. Not always well-formed UTF-8.
    std::string utf8() const;
    // Well-formed UTF-8 for people: escaped bytes are shown as U+FFFD.
    std::string displayUtf8() const;

    const std::u32string& units() const { return mUnits; }
    std::u32string& units() { return mUnits; }
    std::u32string_view view() const { return mUnits; }

    size_type size() const { return mUnits.size(); }
    size_type length() const { return mUnits.size(); }
    bool empty() const { return mUnits.empty(); }
    void clear() { mUnits.clear(); }
    void reserve(size_type n) { mUnits.reserve(n); }
    void resize(size_type n, char32_t c = 0) { mUnits.resize(n, c); }

    char32_t operator[](size_type i) const { return mUnits[i]; }
    char32_t& operator[](size_type i) { return mUnits[i]; }
    char32_t front() const { return mUnits.front(); }
    char32_t back() const { return mUnits.back(); }
    void push_back(char32_t c) { mUnits.push_back(c); }
    void pop_back() { mUnits.pop_back(); }

    iterator begin() { return mUnits.begin(); }
    iterator end() { return mUnits.end(); }
    const_iterator begin() const { return mUnits.begin(); }
    const_iterator end() const { return mUnits.end(); }

    XStr& operator+=(const XStr& other);
    XStr& operator+=(char32_t c);
    XStr& operator+=(const char* utf8);
    XStr& append(const XStr& other) { return *this += other; }
    XStr& append(std::u32string_view units);

    friend XStr operator+(XStr a, const XStr& b) { return a += b; }
    friend XStr operator+(XStr a, const char* b) { return a += b; }
    friend XStr operator+(const char* a, const XStr& b) { return XStr(a) += b; }
    friend XStr operator+(XStr a, char32_t c) { return a += c; }

    friend bool operator==(const XStr& a, const XStr& b) { return a.mUnits == b.mUnits; }
    friend bool operator==(const XStr& a, const char* b) { return a == XStr(b); }
    friend std::strong_ordering operator<=>(const XStr& a, const XStr& b) {
        return a.mUnits <=> b.mUnits;
    }

    size_type find(const XStr& needle, size_type from = 0) const {
        return mUnits.find(needle.mUnits, from);
    }
    size_type find(char32_t c, size_type from = 0) const { return mUnits.find(c, from); }
    size_type rfind(const XStr& needle, size_type from = npos) const {
        return mUnits.rfind(needle.mUnits, from);
    }
    size_type rfind(char32_t c, size_type from = npos) const { return mUnits.rfind(c, from); }
    bool contains(const XStr& needle) const { return find(needle) != npos; }
    bool contains(char32_t c) const { return find(c) != npos; }
    bool startsWith(const XStr& prefix) const;
    bool endsWith(const XStr& suffix) const;

    // Out-of-range positions give the empty text rather than throwing.
    XStr substr(size_type pos, size_type count = npos) const;
    XStr left(size_type count) const { return substr(0, count); }
    XStr right(size_type count) const;

    // Every occurrence, left to right, without rescanning replaced text.
    XStr replaced(const XStr& from, const XStr& to) const;
    void replaceAll(const XStr& from, const XStr& to) { *this = replaced(from, to); }
    void erase(size_type pos, size_type count = npos);
    void insert(size_type pos, const XStr& text);

    // Case folding touches A-Z and a-z only, never other letters.
    XStr lowerASCII() const;
    XStr upperASCII() const;
    bool equalsNoCase(const XStr& other) const;
    int compareNoCase(const XStr& other) const;
    bool startsWithNoCase(const XStr& prefix) const;
    size_type findNoCase(const XStr& needle, size_type from = 0) const;

    // Blanks, tabs and line ends at both ends removed.
    XStr trimmed() const;
    std::vector<XStr> split(char32_t separator) const;

    // Leading blanks skipped, optional sign, digits up to the first non-digit; 0 when
    // there are none. Saturates instead of overflowing.
    int64_t toInt64() const;
    int toInt() const;
    // A decimal number in C locale form (leading blanks, sign, digits, point, exponent);
    // 0 when none can be read.
    double toDouble() const;
    static XStr number(int64_t value);
    static XStr number(uint64_t value);
    static XStr number(int value) { return number(static_cast<int64_t>(value)); }
    static XStr number(unsigned value) { return number(static_cast<uint64_t>(value)); }
    static XStr number(long long value) { return number(static_cast<int64_t>(value)); }
    static XStr number(unsigned long long value) { return number(static_cast<uint64_t>(value)); }
    // printf-style formatting of UTF-8 text; "%s" takes const char*.
    static XStr format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

    static XStr join(const std::vector<XStr>& parts, const XStr& separator);

private:
    std::u32string mUnits;
};

using XStrList = std::vector<XStr>;
using XFileName = XStr;

// gtest and diagnostics print the bytes (utf8()).
std::ostream& operator<<(std::ostream& out, const XStr& s);
// Found by GoogleTest, which would otherwise print the text as a list of code units.
void PrintTo(const XStr& s, std::ostream* out);

template <>
struct std::hash<XStr> {
    std::size_t operator()(const XStr& s) const noexcept {
        return std::hash<std::u32string>()(s.units());
    }
};

// Case-insensitive (ASCII only) ordering for maps and sorts.
struct XStrLessNoCase {
    bool operator()(const XStr& a, const XStr& b) const { return a.compareNoCase(b) < 0; }
};
