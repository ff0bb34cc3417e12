#include "VMCNamingStringFunctions.h"

#include <algorithm>
#include <cstdint>

#include "VMCNamingText.h"
#include "XCase.h"

namespace VMCNamingStringFunctions {

namespace {

using VMCNamingText::readNumber;

int64_t sizeOf(View text) {
    return static_cast<int64_t>(text.size());
}

// A decimal character code as a character; codes that name no character give U+FFFD.
char32_t characterOf(int64_t code) {
    if (code <= 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return U'\uFFFD';
    }
    return static_cast<char32_t>(code);
}

}  // namespace

std::u32string upper(View text) {
    std::u32string out(text);
    for (char32_t& c : out) {
        c = XCase::upper(c);
    }
    return out;
}

std::u32string lower(View text) {
    std::u32string out(text);
    for (char32_t& c : out) {
        c = XCase::lower(c);
    }
    return out;
}

std::u32string right(View count, View text) {
    const int64_t n = readNumber(count);
    if (n <= 0) {
        return {};
    }
    if (n >= sizeOf(text)) {
        return std::u32string(text);
    }
    return std::u32string(text.substr(text.size() - static_cast<std::size_t>(n)));
}

std::u32string grab(View from, View to, View text) {
    const int64_t length = sizeOf(text);
    const int64_t first = std::max<int64_t>(readNumber(from), 1);
    const int64_t toValue = readNumber(to);
    const int64_t last = toValue < 1 ? length : std::min(toValue, length);
    if (first > last) {
        return {};
    }
    return std::u32string(text.substr(static_cast<std::size_t>(first - 1),
                                      static_cast<std::size_t>(last - first + 1)));
}

std::u32string trim(View text) {
    return std::u32string(VMCNamingText::trimSpaces(text));
}

std::u32string del(View from, View to, View text) {
    const int64_t length = sizeOf(text);
    const int64_t first = std::max<int64_t>(readNumber(from), 1);
    const int64_t toValue = readNumber(to);
    const int64_t last = toValue <= 0 ? length : std::min(toValue, length);
    std::u32string out(text);
    if (first <= last) {
        out.erase(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
    }
    return out;
}

std::u32string setLength(View count, View pre, View post, View text) {
    const int64_t n = readNumber(count);
    if (n <= 0) {
        return {};
    }
    if (sizeOf(text) > n) {
        return std::u32string(text.substr(0, static_cast<std::size_t>(n)));
    }
    const auto target =
        std::max(text.size(),
                 static_cast<std::size_t>(std::min<int64_t>(n, VMCNamingText::kMaxValueLength)));
    const std::size_t padding = target - text.size();
    const int64_t preCode = readNumber(pre);
    if (preCode != 0) {
        return std::u32string(padding, characterOf(preCode)) + std::u32string(text);
    }
    const int64_t postCode = readNumber(post);
    return std::u32string(text) +
           std::u32string(padding, postCode == 0 ? U' ' : characterOf(postCode));
}

std::u32string ifCondition(View text, View condition, View match, View ifMatch, View ifNoMatch) {
    bool holds = false;
    if (condition == U"=") {
        holds = VMCNamingText::equalsNoCase(text, match);
    } else if (condition == U"len<") {
        holds = sizeOf(text) < readNumber(match);
    } else if (condition == U"len>") {
        holds = sizeOf(text) > readNumber(match);
    } else if (condition == U"len=") {
        holds = sizeOf(text) == readNumber(match);
    }
    return withUserCommas(holds ? ifMatch : ifNoMatch);
}

std::u32string withUserCommas(View text) {
    return VMCNamingText::replacedExact(text, VMCNamingText::kUserComma, U",");
}

std::u32string trimFirstFolder(View path) {
    // Dropping the first of the "/"-separated parts leaves what follows the first "/";
    // for "/a/b" the first part is the empty one before the leading "/".
    const std::size_t slash = path.find(U'/');
    return slash == View::npos ? std::u32string() : std::u32string(path.substr(slash + 1));
}

std::u32string trimLastFolder(View path) {
    const std::size_t slash = path.rfind(U'/');
    return slash == View::npos ? std::u32string(path) : std::u32string(path.substr(0, slash + 1));
}

std::u32string maxLength(View length, View text) {
    const int64_t n = std::max<int64_t>(readNumber(length), 0);
    return std::u32string(text.substr(0, static_cast<std::size_t>(std::min(n, sizeOf(text)))));
}

std::u32string replace(View search, View replacement, View text) {
    const std::size_t limit = std::max(VMCNamingText::kMaxValueLength, text.size());
    std::u32string out;
    if (search.empty()) {
        out = text;
    } else {
        std::size_t pos = 0;
        for (;;) {
            const std::size_t hit = VMCNamingText::findNoCase(text, search, pos);
            if (hit == View::npos || out.size() > limit) {
                out.append(text.substr(pos));
                break;
            }
            out.append(text.substr(pos, hit - pos));
            out += replacement;
            pos = hit + search.size();
        }
    }
    if (out.size() > limit) {
        out.resize(limit);
    }
    return out;
}

std::u32string word(View text, View count) {
    const int64_t wanted = readNumber(count);
    int64_t separators = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != U' ') {
            ++i;
            continue;
        }
        if (++separators == wanted) {
            View cut = text.substr(0, i);
            if (!cut.empty() && cut.back() == U';') {
                cut.remove_suffix(1);
            }
            if (!cut.empty() && cut.back() == U',') {
                cut.remove_suffix(1);
            }
            return std::u32string(cut);
        }
        while (i < text.size() && text[i] == U' ') {
            ++i;
        }
    }
    return std::u32string(text);
}

std::u32string group(View count, View text) {
    const View start = text.substr(std::min(text.find_first_not_of(U' '), text.size()));
    if (start.empty()) {
        return {};
    }
    const char32_t c = XCase::lower(start[0]);
    if (XCase::isDigit(c)) {
        return U"0-9";
    }
    if (c < U'a' || c > U'z') {
        return U"@";
    }
    // Groups wider than the alphabet all start at "a".
    const int64_t size = std::clamp<int64_t>(readNumber(count), 1, 26);
    const int64_t first = (c - U'a') / size * size;
    const int64_t last = std::min<int64_t>(first + size - 1, 25);
    std::u32string out(1, static_cast<char32_t>(U'a' + first));
    if (size >= 2) {
        out += U'-';
        out += static_cast<char32_t>(U'a' + last);
    }
    return out;
}

std::u32string split(View on, View whole, View index) {
    int64_t wanted = readNumber(index);
    if (wanted == 0) {
        wanted = 1;
    }
    if (wanted < 0) {
        return {};
    }
    if (on.empty()) {
        return wanted == 1 ? std::u32string(whole) : std::u32string();
    }
    std::size_t begin = 0;
    for (int64_t part = 1;; ++part) {
        const std::size_t end = whole.find(on, begin);
        if (part == wanted) {
            return std::u32string(
                whole.substr(begin, end == View::npos ? View::npos : end - begin));
        }
        if (end == View::npos) {
            return {};
        }
        begin = end + on.size();
    }
}

}  // namespace VMCNamingStringFunctions
