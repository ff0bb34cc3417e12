// Assertions of the library: they catch programming errors, never bad input, so they stay
// on in every build.
#pragma once

namespace XAssertDetail {

[[noreturn]] void fail(const char* text, const char* file, int line);

}  // namespace XAssertDetail

// Prints the condition as written.
#define XASSERT(condition) XASSERT_TEXT(condition, #condition)

// Prints the given text, for checks whose words are part of the library's messages.
#define XASSERT_TEXT(condition, text)                      \
    do {                                                   \
        if (!(condition)) {                                \
            XAssertDetail::fail(text, __FILE__, __LINE__); \
        }                                                  \
    } while (false)
