#include "VMCNamingText.h"

#include <algorithm>
#include <limits>

#include "XCase.h"

namespace VMCNamingText {

std::size_t findNoCase(std::u32string_view text, std::u32string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::u32string_view::npos;
    }
    if (!XCase::isAlpha(needle[0])) {
        // Tokens begin with "[": let the library find the candidates.
        for (std::size_t i = text.find(needle[0], from);
             i != std::u32string_view::npos && i + needle.size() <= text.size();
             i = text.find(needle[0], i + 1)) {
            if (equalsNoCase(text.substr(i + 1, needle.size() - 1), needle.substr(1))) {
                return i;
            }
        }
        return std::u32string_view::npos;
    }
    const char32_t first = XCase::lower(needle[0]);
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (XCase::lower(text[i]) == first && equalsNoCase(text.substr(i, needle.size()), needle)) {
            return i;
        }
    }
    return std::u32string_view::npos;
}

std::u32string_view trimSpaces(std::u32string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == U' ') {
        ++b;
    }
    while (e > b && text[e - 1] == U' ') {
        --e;
    }
    return text.substr(b, e - b);
}

int64_t readNumber(std::u32string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == U' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && text[i] == U'-') {
        negative = true;
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < text.size() && XCase::isDigit(text[i]); ++i) {
        const int digit = static_cast<int>(text[i] - U'0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

void appendEscaped(std::u32string& out, std::u32string_view text) {
    for (const char32_t c : text) {
        if (c == U',') {
            out += kComma;
        } else if (c == U'[') {
            out += kBrackets;
        } else {
            out += c;
        }
    }
}

std::u32string escaped(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

std::u32string unescaped(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::u32string_view rest = text.substr(i);
        if (text[i] == U'<') {
            if (rest.size() >= kComma.size() &&
                equalsNoCase(rest.substr(0, kComma.size()), kComma)) {
                out += U',';
                i += kComma.size();
                continue;
            }
            if (rest.size() >= kBrackets.size() &&
                equalsNoCase(rest.substr(0, kBrackets.size()), kBrackets)) {
                out += U'[';
                i += kBrackets.size();
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

void cutKeepingEscapes(std::u32string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return;
    }
    // An escape form split by the cut starts at one of the few "<" before it.
    const std::size_t longest = std::max(kComma.size(), kBrackets.size());
    std::size_t cut = limit;
    for (std::size_t i = limit > longest ? limit - longest + 1 : 0; i < limit; ++i) {
        if (text[i] != U'<') {
            continue;
        }
        const std::u32string_view at = std::u32string_view(text).substr(i);
        const bool comma =
            at.size() >= kComma.size() && equalsNoCase(at.substr(0, kComma.size()), kComma);
        const bool brackets = at.size() >= kBrackets.size() &&
                              equalsNoCase(at.substr(0, kBrackets.size()), kBrackets);
        const std::size_t end = i + (comma ? kComma.size() : brackets ? kBrackets.size() : 0);
        if (end > limit) {
            cut = i;
            break;
        }
    }
    text.resize(cut);
}

std::u32string replacedExact(std::u32string_view text, std::u32string_view needle,
                             std::u32string_view replacement, std::size_t limit) {
    if (needle.empty()) {
        return std::u32string(text);
    }
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(needle, pos);
        if (hit == std::u32string_view::npos) {
            out.append(text.substr(pos));
            return out;
        }
        if (out.size() > limit) {
            return out;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + needle.size();
    }
}

}  // namespace VMCNamingText
