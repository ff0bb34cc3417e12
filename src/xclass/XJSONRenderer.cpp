// The renderer writes into one buffer, wide or UTF-8. Members and elements are written at
// their final indentation straight away; an array that turns out to fit on one line is
// then closed up in place, which is cheap because such an array is short.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "XJSON.h"
#include "XUtf8.h"

namespace {

// An element costs at least five characters, so a one-line array has fewer elements.
constexpr std::size_t kOneLineLimit = 200;
constexpr std::size_t kMaxOneLineElements = kOneLineLimit / 5;
constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

// Decimal digits of value at the end of buffer; answers where they begin.
char* decimalDigits(uint64_t value, char* end) {
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return p;
}

// Room for the digits of the largest double, a sign, a point and seven decimals.
constexpr std::size_t kNumberRoom = 400;

// Writes the digits of a non-negative integral double of any size; answers their count.
std::size_t putIntegral(double value, char* out) {
    if (value < kTwoTo64) {
        char buffer[24];
        char* end = buffer + sizeof buffer;
        const char* begin = decimalDigits(static_cast<uint64_t>(value), end);
        const auto count = static_cast<std::size_t>(end - begin);
        std::memcpy(out, begin, count);
        return count;
    }
    // Past 64 bits: the exact decimal expansion of the double.
    const int count = std::snprintf(out, kNumberRoom - 2, "%.0f", value);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// Integers exactly; everything else in fixed point with at most seven decimals, rounded
// by adding 0.49 in the last place. Values below one borrow a marker digit so that their
// leading zeros survive the integer step. buffer has kNumberRoom characters.
std::string_view numberText(double value, char* buffer) {
    if (!std::isfinite(value)) {
        // JSON has no words for these; null is what they read back as.
        return "null";
    }
    char* p = buffer;
    if (value < 0) {
        *p++ = '-';
    }
    double magnitude = std::fabs(value);
    if (value == std::trunc(value)) {
        p += putIntegral(magnitude, p);
        return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
    }
    const bool marker = magnitude < 1;
    if (marker) {
        magnitude += 1;
    }
    char* digits = p;
    const double scaled = magnitude * 1e7 + 0.49;
    if (scaled < kTwoTo63) {
        const std::size_t count = putIntegral(std::trunc(scaled), p);
        std::memmove(p + count - 6, p + count - 7, 7);
        p[count - 7] = '.';
        p += count + 1;
    } else {
        // Scaling would lose the fraction in the rounding of the product; the two parts
        // are rounded apart instead.
        double whole = std::trunc(magnitude);
        double fraction = std::trunc((magnitude - whole) * 1e7 + 0.49);
        if (fraction >= 1e7) {
            whole += 1;
            fraction -= 1e7;
        }
        p += putIntegral(whole, p);
        *p++ = '.';
        auto decimals = static_cast<uint64_t>(fraction);
        for (int i = 6; i >= 0; --i) {
            p[i] = static_cast<char>('0' + decimals % 10);
            decimals /= 10;
        }
        p += 7;
    }
    if (marker) {
        *digits = static_cast<char>(*digits - 1);
    }
    while (p[-1] == '0') {
        --p;
    }
    if (p[-1] == '.') {
        --p;
    }
    return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
}

template <typename Out>
class Renderer {
public:
    explicit Renderer(Out& out) : mOut(out) {}

    // Answers whether the text written holds a line feed.
    bool render(const XJSON::AnyType& value, int level) {
        switch (value.TypeOf()) {
            case XJSON::typeObject:
                renderObject(value.AsObject(), level);
                return true;
            case XJSON::typeArray:
                return renderArray(value.AsArray(), level);
            case XJSON::typeString:
                renderString(value.AsString().Value);
                return false;
            case XJSON::typeNumber: {
                char buffer[kNumberRoom];
                putAscii(numberText(value.AsNumber().Value, buffer));
                return false;
            }
            case XJSON::typeBoolean:
                putAscii(value.AsBoolean().Value ? "true" : "false");
                return false;
            case XJSON::typeNull:
                break;
        }
        putAscii("null");
        return false;
    }

private:
    void putAscii(std::string_view text) { mOut.append(text.begin(), text.end()); }
    void put(char c) { mOut.push_back(static_cast<typename Out::value_type>(c)); }
    void newLine(int level) {
        put('\n');
        mOut.append(static_cast<std::size_t>(level) * 4, ' ');
    }

    void putEscape(char32_t c) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
        putAscii(buffer);
    }

    void putOther(char32_t c) {
        if constexpr (sizeof(typename Out::value_type) == sizeof(char32_t)) {
            mOut.push_back(c);
        } else if (c < 0x80) {
            mOut.push_back(static_cast<char>(c));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // UTF-8 has no form for a lone surrogate; the escape reads back as the same unit.
            // That includes the escaped bytes of a name that is not UTF-8 ("\uDCE9"), so
            // every document written is well-formed UTF-8 and still names the same file.
            putEscape(c);
        } else {
            XUtf8::appendEncoded(mOut, c);
        }
    }

    void renderString(const XStr& text) {
        put('"');
        for (const char32_t c : text) {
            switch (c) {
                case U'"':
                    putAscii("\\\"");
                    break;
                case U'\\':
                    putAscii("\\\\");
                    break;
                case 8:
                    putAscii("\\b");
                    break;
                case 12:
                    putAscii("\\f");
                    break;
                case 10:
                    putAscii("\\n");
                    break;
                case 13:
                    putAscii("\\r");
                    break;
                case 9:
                    putAscii("\\t");
                    break;
                default:
                    if (c < 32) {
                        putEscape(c);
                    } else {
                        putOther(c);
                    }
            }
        }
        put('"');
    }

    void renderObject(const XJSON::Object& object, int level) {
        put('{');
        for (std::size_t i = 0; i < object.Count(); ++i) {
            if (i > 0) {
                put(',');
            }
            newLine(level + 1);
            renderString(object.NameAt(i));
            put(':');
            render(object.ValueAt(i), level + 1);
        }
        newLine(level);
        put('}');
    }

    bool renderArray(const XJSON::Array& array, int level) {
        if (array.Count() == 0) {
            putAscii("[]");
            return false;
        }
        const std::size_t open = mOut.size();
        put('[');
        // Where each element's text lies, while the array may still fit on one line.
        std::size_t starts[kMaxOneLineElements];
        std::size_t lengths[kMaxOneLineElements];
        std::size_t total = 0;
        bool multiLine = false;
        for (std::size_t i = 0; i < array.Count(); ++i) {
            if (i > 0) {
                put(',');
            }
            newLine(level + 1);
            const std::size_t start = mOut.size();
            const bool lineFeed = render(array.At(i), level + 1);
            if (!multiLine) {
                const std::size_t length = mOut.size() - start;
                total += length + 4;
                if (lineFeed || total >= kOneLineLimit) {
                    multiLine = true;
                } else {
                    starts[i] = start;
                    lengths[i] = length;
                }
            }
        }
        if (multiLine) {
            newLine(level);
            put(']');
            return true;
        }
        // Close up: "[a, b, c]". Every element moves left, never over text still to move.
        std::size_t to = open + 1;
        for (std::size_t i = 0; i < array.Count(); ++i) {
            if (i > 0) {
                mOut[to++] = ',';
                mOut[to++] = ' ';
            }
            for (std::size_t k = 0; k < lengths[i]; ++k) {
                mOut[to + k] = mOut[starts[i] + k];
            }
            to += lengths[i];
        }
        mOut[to++] = ']';
        mOut.resize(to);
        return false;
    }

    Out& mOut;
};

}  // namespace

XStr XJSON::AnyType::ToText() const {
    XStr text;
    Renderer<std::u32string>(text.units()).render(*this, 0);
    return text;
}

std::string XJSON::AnyType::ToUtf8() const {
    std::string text;
    Renderer<std::string>(text).render(*this, 0);
    return text;
}
