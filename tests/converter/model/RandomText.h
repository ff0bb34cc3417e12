// Random texts over the characters that trouble command-line handling, from a fixed seed
// so that a failure repeats.
#pragma once

#include <cstddef>
#include <random>
#include <string_view>

#include "XStr.h"

class RandomText {
public:
    // Blanks, both quote kinds, backslashes, commas, "$", a newline, a tab, non-ASCII
    // letters, "-" and "=", and plain letters.
    static constexpr std::u32string_view kTricky = U" \"'\\,$\n\t\u00E9\u00DF\u6F22-=abcXYZ09";
    // The characters a command line takes without quoting.
    static constexpr std::u32string_view kSafe =
        U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-./_";

    explicit RandomText(unsigned seed) : mEngine(seed) {}

    XStr text(std::u32string_view alphabet, std::size_t maxLength) {
        std::uniform_int_distribution<std::size_t> length(0, maxLength);
        return textOfLength(alphabet, length(mEngine));
    }

    XStr textOfLength(std::u32string_view alphabet, std::size_t n) {
        std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
        XStr out;
        for (std::size_t i = 0; i < n; ++i) {
            out += alphabet[pick(mEngine)];
        }
        return out;
    }

    // Text whose first character is never the given one.
    XStr textNotStartingWith(char32_t c, std::u32string_view alphabet, std::size_t maxLength) {
        XStr out = text(alphabet, maxLength);
        while (!out.empty() && out.front() == c) {
            out.erase(0, 1);
        }
        return out;
    }

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(mEngine);
    }

private:
    std::mt19937 mEngine;
};
