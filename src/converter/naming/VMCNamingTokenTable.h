// A fixed list of bracketed tokens ("[artist]", "[UPPER]"), found at a "[" without regard
// to ASCII case. Every token opens with its only "[" and closes with its only "]", so at most
// one token of a table starts at any position: the expander identifies tokens in one pass
// over the "[" of a text instead of searching the text once per token.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class VMCNamingTokenTable {
public:
    explicit VMCNamingTokenTable(const std::vector<std::u32string_view>& tokens);
    VMCNamingTokenTable(std::initializer_list<std::u32string_view> tokens)
        : VMCNamingTokenTable(std::vector<std::u32string_view>(tokens)) {}
    VMCNamingTokenTable(const VMCNamingTokenTable&) = delete;
    VMCNamingTokenTable& operator=(const VMCNamingTokenTable&) = delete;

    // The index of the token that starts at pos, or -1. A token listed twice answers its
    // first index.
    int tokenAt(std::u32string_view text, std::size_t pos) const;
    // The first position at or after from where a token starts, with its index.
    std::size_t findAny(std::u32string_view text, std::size_t from, int* index) const;
    // True when any token of the table occurs in the text.
    bool occursIn(std::u32string_view text) const;

    std::u32string_view token(int index) const { return mTokens[static_cast<std::size_t>(index)]; }
    std::size_t count() const { return mTokens.size(); }
    std::size_t maxLength() const { return mMaxLength; }

private:
    // A token's length tells which few tokens can match, so a look-up compares a handful of
    // short texts and never hashes.
    static constexpr std::size_t kLongestToken = 32;

    std::vector<std::u32string> mTokens;
    std::vector<std::u32string> mLower;
    std::vector<int> mByLength[kLongestToken + 1];
    std::size_t mMaxLength = 0;
};
