// The lenient parser. One template reads both wide text and UTF-8 bytes: everything that
// decides the structure is ASCII, and a malformed UTF-8 sequence never swallows an ASCII
// byte, so reading bytes directly gives the same tree as decoding first.
#include <new>
#include <string>
#include <string_view>

#include "XCase.h"
#include "XJSON.h"
#include "XUtf8.h"

namespace {

bool isHexDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

unsigned hexValue(char32_t c) {
    if (c <= U'9') {
        return c - U'0';
    }
    return (c | 0x20) - U'a' + 10;
}

// The raw characters between the quotation marks, backslash sequences resolved.
void unescapeInto(std::u32string& out, std::u32string_view raw) {
    out.reserve(out.size() + raw.size());
    const std::size_t n = raw.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t c = raw[i];
        if (c != U'\\') {
            out.push_back(c);
            continue;
        }
        if (++i == n) {
            break;
        }
        switch (raw[i]) {
            case U'"':
                out.push_back(U'"');
                break;
            case U'\\':
                out.push_back(U'\\');
                break;
            case U'/':
                out.push_back(U'/');
                break;
            case U'b':
                out.push_back(8);
                break;
            case U'f':
                out.push_back(12);
                break;
            case U'n':
                out.push_back(10);
                break;
            case U'r':
                out.push_back(13);
                break;
            case U't':
                out.push_back(9);
                break;
            case U'u':
            case U'U': {
                // Up to four digits; fewer end at the first character that is none.
                char32_t value = 0;
                for (int k = 0; k < 4 && i + 1 < n && isHexDigit(raw[i + 1]); ++k) {
                    value = value * 16 + hexValue(raw[++i]);
                }
                out.push_back(value);
                break;
            }
            default:
                // An unknown sequence is dropped whole.
                break;
        }
    }
}

void appendRaw(std::u32string& out, const char32_t* begin, const char32_t* end) {
    out.append(begin, end);
}

void appendRaw(std::u32string& out, const unsigned char* begin, const unsigned char* end) {
    const std::size_t n = static_cast<std::size_t>(end - begin);
    const std::size_t base = out.size();
    out.resize(base + n);
    std::size_t i = 0;
    while (i < n && begin[i] < 0x80) {
        out[base + i] = begin[i];
        ++i;
    }
    if (i < n) {
        out.resize(base + i);
        XUtf8::appendDecoded(out,
                             std::string_view(reinterpret_cast<const char*>(begin + i), n - i));
    }
}

template <typename Char>
class Parser {
public:
    Parser(const Char* begin, const Char* end) : mPos(begin), mEnd(end) {}

    XJSON::Owned parseValue(int depth) {
        skipWhitespace();
        if (mPos == mEnd) {
            return nullptr;
        }
        const char32_t c = *mPos;
        if (c == U'"') {
            auto string = std::make_unique<XJSON::String>();
            if (!parseString(string->Value.units())) {
                return nullptr;
            }
            return string;
        }
        if (XCase::isDigit(c) || c == U'+' || c == U'-') {
            return parseNumber();
        }
        if (c == U'[' || c == U'{') {
            if (depth >= XJSON::kMaxDepth) {
                return nullptr;
            }
            return c == U'[' ? parseArray(depth + 1) : parseObject(depth + 1);
        }
        return parseWord();
    }

private:
    static bool isWhitespace(char32_t c) { return c >= 1 && c <= 32; }

    void skipWhitespace() {
        while (mPos != mEnd && isWhitespace(*mPos)) {
            ++mPos;
        }
    }

    // At the opening quotation mark.
    bool parseString(std::u32string& out) {
        const Char* start = ++mPos;
        const Char* p = start;
        bool escaped = false;
        while (true) {
            if (p == mEnd) {
                return false;
            }
            const char32_t c = *p;
            if (c == U'"') {
                break;
            }
            if (c == U'\\') {
                // A backslash protects the next character, even a quotation mark.
                escaped = true;
                if (++p == mEnd) {
                    return false;
                }
            }
            ++p;
        }
        mPos = p + 1;
        if (!escaped) {
            appendRaw(out, start, p);
        } else if constexpr (sizeof(Char) == sizeof(char32_t)) {
            unescapeInto(out, std::u32string_view(start, static_cast<std::size_t>(p - start)));
        } else {
            std::u32string raw;
            appendRaw(raw, start, p);
            unescapeInto(out, raw);
        }
        return true;
    }

    XJSON::Owned parseNumber() {
        bool negative = false;
        if (*mPos == U'+' || *mPos == U'-') {
            negative = *mPos == U'-';
            ++mPos;
            // A sign alone is a null, not a failure.
            if (mPos == mEnd || !XCase::isDigit(*mPos)) {
                return std::make_unique<XJSON::Null>();
            }
        }
        double value = 0;
        while (mPos != mEnd && XCase::isDigit(*mPos)) {
            value = value * 10 + static_cast<double>(*mPos - U'0');
            ++mPos;
        }
        if (mPos != mEnd && *mPos == U'.') {
            ++mPos;
            double weight = 1;
            while (mPos != mEnd && XCase::isDigit(*mPos)) {
                weight /= 10;
                value += static_cast<double>(*mPos - U'0') * weight;
                ++mPos;
            }
        }
        return std::make_unique<XJSON::Number>(negative ? -value : value);
    }

    XJSON::Owned parseArray(int depth) {
        ++mPos;
        auto array = std::make_unique<XJSON::Array>();
        skipWhitespace();
        if (mPos != mEnd && *mPos == U']') {
            ++mPos;
            return array;
        }
        while (true) {
            XJSON::Owned value = parseValue(depth);
            if (!value) {
                return nullptr;
            }
            array->Add(std::move(value));
            skipWhitespace();
            if (mPos == mEnd) {
                return nullptr;
            }
            const char32_t c = *mPos++;
            if (c == U']') {
                return array;
            }
            if (c != U',') {
                return nullptr;
            }
        }
    }

    XJSON::Owned parseObject(int depth) {
        ++mPos;
        auto object = std::make_unique<XJSON::Object>();
        skipWhitespace();
        if (mPos != mEnd && *mPos == U'}') {
            ++mPos;
            return object;
        }
        while (true) {
            // A name that is not a string fails the whole object, so it need not be read.
            skipWhitespace();
            if (mPos == mEnd || *mPos != U'"') {
                return nullptr;
            }
            XStr name;
            if (!parseString(name.units())) {
                return nullptr;
            }
            skipWhitespace();
            if (mPos == mEnd || *mPos != U':') {
                return nullptr;
            }
            ++mPos;
            XJSON::Owned value = parseValue(depth);
            if (!value) {
                return nullptr;
            }
            object->Add(std::move(name), std::move(value));
            skipWhitespace();
            if (mPos == mEnd) {
                return nullptr;
            }
            const char32_t c = *mPos++;
            if (c == U'}') {
                return object;
            }
            if (c != U',') {
                return nullptr;
            }
        }
    }

    // Each word is compared over its own length only, so "nullx" reads as null.
    bool matchWord(std::string_view word) {
        if (static_cast<std::size_t>(mEnd - mPos) < word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (XCase::lower(static_cast<char32_t>(mPos[i])) != static_cast<char32_t>(word[i])) {
                return false;
            }
        }
        mPos += word.size();
        return true;
    }

    XJSON::Owned parseWord() {
        if (matchWord("true")) {
            return std::make_unique<XJSON::Boolean>(true);
        }
        if (matchWord("false")) {
            return std::make_unique<XJSON::Boolean>(false);
        }
        if (matchWord("null")) {
            return std::make_unique<XJSON::Null>();
        }
        return nullptr;
    }

    const Char* mPos;
    const Char* mEnd;
};

// A tree takes many times the memory of its text, and the text comes from outside (files,
// ffprobe): a document too large for memory is malformed input, not the end of the
// program. The partial tree is released on the way out.
template <typename Char>
XJSON::Owned parseAll(const Char* begin, const Char* end) {
    try {
        return Parser<Char>(begin, end).parseValue(0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

XJSON::Owned XJSON::Parse(const XStr& text) {
    return Parse(text.view());
}

XJSON::Owned XJSON::Parse(std::u32string_view text) {
    return parseAll(text.data(), text.data() + text.size());
}

XJSON::Owned XJSON::ParseUtf8(std::string_view bytes) {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    return parseAll(begin, begin + bytes.size());
}
