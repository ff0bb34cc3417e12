#include "VMCNamingTokenTable.h"

#include "XCase.h"

namespace {

// No token is longer; a "]" further away cannot close one.
constexpr std::size_t kLongestToken = 32;

}  // namespace

VMCNamingTokenTable::VMCNamingTokenTable(const std::vector<std::u32string_view>& tokens) {
    mTokens.reserve(tokens.size());
    mLower.reserve(tokens.size());
    for (const std::u32string_view token : tokens) {
        mTokens.emplace_back(token);
        std::u32string lower(token);
        for (char32_t& c : lower) {
            c = XCase::lower(c);
        }
        mLower.push_back(std::move(lower));
        if (token.size() > mMaxLength) {
            mMaxLength = token.size();
        }
    }
    for (std::size_t i = 0; i < mLower.size(); ++i) {
        mIndexByLower.emplace(mLower[i], static_cast<int>(i));
    }
}

int VMCNamingTokenTable::tokenAt(std::u32string_view text, std::size_t pos) const {
    if (pos >= text.size() || text[pos] != U'[') {
        return -1;
    }
    char32_t lower[kLongestToken];
    lower[0] = U'[';
    std::size_t n = 1;
    for (std::size_t i = pos + 1; i < text.size() && n < mMaxLength && n < kLongestToken; ++i) {
        const char32_t c = text[i];
        if (c == U'[') {
            return -1;
        }
        lower[n++] = XCase::lower(c);
        if (c == U']') {
            const auto hit = mIndexByLower.find(std::u32string_view(lower, n));
            return hit == mIndexByLower.end() ? -1 : hit->second;
        }
    }
    return -1;
}

std::size_t VMCNamingTokenTable::findAny(std::u32string_view text, std::size_t from,
                                         int* index) const {
    for (std::size_t pos = text.find(U'[', from); pos != std::u32string_view::npos;
         pos = text.find(U'[', pos + 1)) {
        const int hit = tokenAt(text, pos);
        if (hit >= 0) {
            if (index != nullptr) {
                *index = hit;
            }
            return pos;
        }
    }
    return std::u32string_view::npos;
}

bool VMCNamingTokenTable::occursIn(std::u32string_view text) const {
    return findAny(text, 0, nullptr) != std::u32string_view::npos;
}
