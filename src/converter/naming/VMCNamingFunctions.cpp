#include "VMCNamingFunctions.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "VMCNamingElementTokens.h"
#include "VMCNamingStringFunctions.h"
#include "VMCNamingText.h"

namespace {

enum Function {
    kUpper,
    kLower,
    kRight,
    kGrab,
    kTrim,
    kDel,
    kSetLen,
    kIfComp,
    kIfNotComp,
    kIfMulti,
    kIfNotMulti,
    kIfEquals,
    kIfNotEquals,
    kIf,
    kIfValue,
    kTrimFirstFolder,
    kTrimLastFolder,
    kMaxLength,
    kFrontFolder,
    kBackFolder,
    kReplace,
    kWord,
    kGroup,
    kSplit,
};

// Takes the arguments of one function from its argument text: each up to the next ",",
// and the final one the whole rest, commas included. Commas and brackets of values are
// still escaped in the argument text, so they never split it; each argument is then read
// as the characters it stands for.
class Arguments {
public:
    explicit Arguments(std::u32string_view text) : mRest(text) {}

    std::u32string_view next() {
        const std::size_t comma = mRest.find(U',');
        if (comma == std::u32string_view::npos) {
            const std::u32string_view all = mRest;
            mRest = {};
            return plain(all);
        }
        const std::u32string_view one = mRest.substr(0, comma);
        mRest.remove_prefix(comma + 1);
        return plain(one);
    }
    std::u32string_view rest() {
        const std::u32string_view all = mRest;
        mRest = {};
        return plain(all);
    }

private:
    // Every escape form begins with "<"; an argument without one is read in place.
    std::u32string_view plain(std::u32string_view argument) {
        if (argument.find(U'<') == std::u32string_view::npos) {
            return argument;
        }
        if (mUsed == mPlain.size()) {
            std::abort();
        }
        std::u32string& out = mPlain[mUsed++];
        out = VMCNamingText::unescaped(argument);
        return out;
    }

    std::u32string_view mRest;
    // No function takes more than five arguments.
    std::array<std::u32string, 5> mPlain;
    std::size_t mUsed = 0;
};

// Appends the positions in [from, to) where a function token starts.
void collectStarts(std::u32string_view text, std::size_t from, std::size_t to,
                   std::vector<std::size_t>& starts) {
    const VMCNamingTokenTable& functions = VMCNamingFunctions::table();
    for (std::size_t pos = text.find(U'[', from); pos < to; pos = text.find(U'[', pos + 1)) {
        if (functions.tokenAt(text, pos) >= 0) {
            starts.push_back(pos);
        }
    }
}

}  // namespace

const VMCNamingTokenTable& VMCNamingFunctions::table() {
    static const VMCNamingTokenTable functions{
        U"[UPPER]",          U"[LOWER]",     U"[RIGHT]",       U"[GRAB]",
        U"[TRIM]",           U"[DEL]",       U"[SETLEN]",      U"[IFCOMP]",
        U"[IF!COMP]",        U"[IFMULTI]",   U"[IF!MULTI]",    U"[IFEQUALS]",
        U"[IF!EQUALS]",      U"[IF]",        U"[IFVALUE]",     U"[TRIMFIRSTFOLDER]",
        U"[TRIMLASTFOLDER]", U"[MAXLENGTH]", U"[FRONTFOLDER]", U"[BACKFOLDER]",
        U"[REPLACE]",        U"[WORD]",      U"[GROUP]",       U"[SPLIT]",
    };
    return functions;
}

void VMCNamingFunctions::run(std::u32string& text) const {
    // The function that runs next is the one whose token starts furthest to the right (no
    // two tokens can start at one position). Only the text around a result can hold new
    // tokens: tokens further left are unchanged and none can start in the text after it,
    // so the list of starts is kept up to date instead of searching the whole text again.
    // Every run removes the "[" of a token and of a closing pair and a result holds none, so
    // the loop ends.
    const VMCNamingTokenTable& functions = table();
    const std::size_t reach = functions.maxLength() - 1;
    std::vector<std::size_t> starts;
    collectStarts(text, 0, text.size(), starts);
    while (!starts.empty()) {
        const std::size_t at = starts.back();
        starts.pop_back();
        const int function = functions.tokenAt(text, at);
        if (function < 0) {
            continue;
        }
        const std::size_t argsAt = at + functions.token(function).size();
        const std::size_t close = text.find(U"[]", argsAt);
        if (close == std::u32string::npos) {
            return;
        }
        const std::u32string result =
            apply(function, std::u32string_view(text).substr(argsAt, close - argsAt));
        text.replace(at, close + 2 - at, result);
        VMCNamingText::cutKeepingEscapes(text);
        const std::size_t window = at > reach ? at - reach : 0;
        while (!starts.empty() && starts.back() >= window) {
            starts.pop_back();
        }
        collectStarts(text, window, at + result.size(), starts);
    }
}

std::u32string VMCNamingFunctions::apply(int function, std::u32string_view args) const {
    // A result is text, never syntax: its commas and brackets are escaped again, so it can
    // neither split the arguments of a function around it nor open a token.
    std::u32string result = plainResult(function, args);
    if (result.find_first_of(U",[") == std::u32string::npos) {
        return result;
    }
    return VMCNamingText::escaped(result);
}

std::u32string VMCNamingFunctions::plainResult(int function, std::u32string_view args) const {
    namespace S = VMCNamingStringFunctions;
    Arguments a(args);
    switch (static_cast<Function>(function)) {
        case kUpper:
            return S::upper(a.rest());
        case kLower:
            return S::lower(a.rest());
        case kRight: {
            const auto count = a.next();
            return S::right(count, a.rest());
        }
        case kGrab: {
            const auto from = a.next();
            const auto to = a.next();
            return S::grab(from, to, a.rest());
        }
        case kTrim:
            return S::trim(a.rest());
        case kDel: {
            const auto from = a.next();
            const auto to = a.next();
            return S::del(from, to, a.rest());
        }
        case kSetLen: {
            const auto count = a.next();
            const auto pre = a.next();
            const auto post = a.next();
            return S::setLength(count, pre, post, a.rest());
        }
        case kIfComp:
        case kIfNotComp:
            return isCompilation() == (function == kIfComp) ? std::u32string(a.rest())
                                                            : std::u32string();
        case kIfMulti:
        case kIfNotMulti:
            return isMultiDisc() == (function == kIfMulti) ? std::u32string(a.rest())
                                                           : std::u32string();
        case kIfEquals:
        case kIfNotEquals: {
            const auto name = a.next();
            const auto expected = a.next();
            return equals(name, expected) == (function == kIfEquals) ? S::withUserCommas(a.rest())
                                                                     : std::u32string();
        }
        case kIf: {
            const auto subject = a.next();
            const auto condition = a.next();
            const auto match = a.next();
            const auto ifMatch = a.next();
            return S::ifCondition(subject, condition, match, ifMatch, a.rest());
        }
        case kIfValue: {
            const auto name = a.next();
            const auto ifValue = a.next();
            const auto noValue = a.rest();
            return std::u32string(mTags.value(name).empty() ? noValue : ifValue);
        }
        case kTrimFirstFolder:
            return S::trimFirstFolder(a.rest());
        case kTrimLastFolder:
            return S::trimLastFolder(a.rest());
        case kMaxLength: {
            const auto length = a.next();
            return S::maxLength(length, a.rest());
        }
        case kFrontFolder:
        case kBackFolder:
            return folder(a.rest(), function == kBackFolder);
        case kReplace: {
            const auto search = a.next();
            const auto replacement = a.next();
            return S::replace(search, replacement, a.rest());
        }
        case kWord: {
            const auto subject = a.next();
            return S::word(subject, a.rest());
        }
        case kGroup: {
            const auto count = a.next();
            return S::group(count, a.rest());
        }
        case kSplit: {
            const auto separator = a.next();
            const auto subject = a.next();
            return S::split(separator, subject, a.rest());
        }
    }
    return {};
}

bool VMCNamingFunctions::isCompilation() const {
    using VMCNamingText::equalsNoCase;
    const std::u32string flag = mTags.value(U"compilation");
    return !flag.empty() && !equalsNoCase(flag, U"no") && !equalsNoCase(flag, U"false") &&
           !equalsNoCase(flag, U"0");
}

bool VMCNamingFunctions::isMultiDisc() const {
    const std::u32string disc = mTags.firstLine(U"disc");
    return VMCNamingText::readNumber(VMCNamingElementTokens::numberPart(disc, true)) >= 2;
}

bool VMCNamingFunctions::equals(std::u32string_view name, std::u32string_view expected) const {
    const std::u32string values = VMCNamingText::unescaped(mTags.value(name));
    std::u32string_view rest = values;
    for (;;) {
        const std::size_t cr = rest.find(U'\r');
        if (VMCNamingText::equalsNoCase(rest.substr(0, cr), expected)) {
            return true;
        }
        if (cr == std::u32string_view::npos) {
            return false;
        }
        rest.remove_prefix(cr + 1);
    }
}

std::u32string VMCNamingFunctions::folder(std::u32string_view position, bool fromBack) const {
    // The source folder "/Users/x/Album/" lists as: empty, Users, x, Album, empty.
    const std::u32string path = mTags.value(U"origpath");
    std::vector<std::u32string_view> parts;
    std::u32string_view rest = path;
    for (;;) {
        const std::size_t slash = rest.find(U'/');
        parts.push_back(rest.substr(0, slash));
        if (slash == std::u32string_view::npos) {
            break;
        }
        rest.remove_prefix(slash + 1);
    }
    const int64_t pos = VMCNamingText::readNumber(position);
    const auto count = static_cast<int64_t>(parts.size());
    if (pos < 1 || pos > count) {
        return {};
    }
    const int64_t index = fromBack ? count - pos : pos - 1;
    return VMCNamingText::unescaped(parts[static_cast<std::size_t>(index)]);
}
