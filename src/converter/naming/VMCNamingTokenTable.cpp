#include "VMCNamingTokenTable.h"

#include <algorithm>
#include <cstdlib>

#include "XCase.h"

VMCNamingTokenTable::VMCNamingTokenTable(const std::vector<std::u32string_view>& tokens) {
    mTokens.reserve(tokens.size());
    mLower.reserve(tokens.size());
    for (const std::u32string_view token : tokens) {
        if (token.size() < 2 || token.size() > kLongestToken) {
            std::abort();
        }
        mTokens.emplace_back(token);
        std::u32string lower(token);
        for (char32_t& c : lower) {
            c = XCase::lower(c);
        }
        bool listed = false;
        for (const int other : mByLength[token.size()]) {
            listed = listed || mLower[static_cast<std::size_t>(other)] == lower;
        }
        if (!listed) {
            mByLength[token.size()].push_back(static_cast<int>(mLower.size()));
        }
        mLower.push_back(std::move(lower));
        if (token.size() > mMaxLength) {
            mMaxLength = token.size();
        }
    }
}

int VMCNamingTokenTable::tokenAt(std::u32string_view text, std::size_t pos) const {
    if (pos >= text.size() || text[pos] != U'[') {
        return -1;
    }
    const std::size_t limit = std::min(text.size(), pos + mMaxLength);
    std::size_t close = pos + 1;
    while (close < limit && text[close] != U']') {
        if (text[close] == U'[') {
            return -1;
        }
        ++close;
    }
    if (close >= limit) {
        return -1;
    }
    const std::size_t length = close - pos + 1;
    for (const int index : mByLength[length]) {
        const std::u32string& lower = mLower[static_cast<std::size_t>(index)];
        std::size_t k = 1;
        while (k + 1 < length && XCase::lower(text[pos + k]) == lower[k]) {
            ++k;
        }
        if (k + 1 == length) {
            return index;
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
