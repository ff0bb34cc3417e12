#include "VMCNamingFunctions.h"

#include <cstdint>
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
// and the final one the whole rest, commas included.
class Arguments {
public:
    explicit Arguments(std::u32string_view text) : mRest(text) {}

    std::u32string_view next() {
        const std::size_t comma = mRest.find(U',');
        if (comma == std::u32string_view::npos) {
            const std::u32string_view all = mRest;
            mRest = {};
            return all;
        }
        const std::u32string_view one = mRest.substr(0, comma);
        mRest.remove_prefix(comma + 1);
        return one;
    }
    std::u32string_view rest() const { return mRest; }

private:
    std::u32string_view mRest;
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
        const std::size_t window = at > reach ? at - reach : 0;
        while (!starts.empty() && starts.back() >= window) {
            starts.pop_back();
        }
        collectStarts(text, window, at + result.size(), starts);
    }
}

std::u32string VMCNamingFunctions::apply(int function, std::u32string_view args) const {
    namespace S = VMCNamingStringFunctions;
    Arguments a(args);
    switch (static_cast<Function>(function)) {
        case kUpper:
            return S::upper(args);
        case kLower:
            return S::lower(args);
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
            return S::trim(args);
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
            return isCompilation() == (function == kIfComp) ? std::u32string(args)
                                                            : std::u32string();
        case kIfMulti:
        case kIfNotMulti:
            return isMultiDisc() == (function == kIfMulti) ? std::u32string(args)
                                                           : std::u32string();
        case kIfEquals:
        case kIfNotEquals:
            return equals(args, function == kIfEquals);
        case kIf: {
            const auto subject = a.next();
            const auto condition = a.next();
            const auto match = a.next();
            const auto ifMatch = a.next();
            return S::ifCondition(subject, condition, match, ifMatch, a.rest());
        }
        case kIfValue:
            return ifValue(args);
        case kTrimFirstFolder:
            return S::trimFirstFolder(args);
        case kTrimLastFolder:
            return S::trimLastFolder(args);
        case kMaxLength: {
            const auto length = a.next();
            return S::maxLength(length, a.rest());
        }
        case kFrontFolder:
        case kBackFolder:
            return folder(args, function == kBackFolder);
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

std::u32string VMCNamingFunctions::equals(std::u32string_view args, bool wanted) const {
    Arguments a(args);
    const auto name = a.next();
    const auto expected = a.next();
    const std::u32string values = mTags.value(name);
    bool matched = false;
    std::u32string_view rest = values;
    for (;;) {
        const std::size_t cr = rest.find(U'\r');
        if (VMCNamingText::equalsNoCase(rest.substr(0, cr), expected)) {
            matched = true;
            break;
        }
        if (cr == std::u32string_view::npos) {
            break;
        }
        rest.remove_prefix(cr + 1);
    }
    if (matched != wanted) {
        return {};
    }
    return VMCNamingText::replacedExact(a.rest(), VMCNamingText::kUserComma, U",");
}

std::u32string VMCNamingFunctions::ifValue(std::u32string_view args) const {
    Arguments a(args);
    const auto name = a.next();
    const auto ifValue = a.next();
    return mTags.value(name).empty() ? std::u32string(a.rest()) : std::u32string(ifValue);
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
    return std::u32string(parts[static_cast<std::size_t>(index)]);
}
