// Case folding of the whole product: only the ASCII letters fold, so names compare the
// same whatever the user's locale.
#pragma once

namespace XCase {

constexpr char32_t lower(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c + 32 : c;
}
constexpr char32_t upper(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - 32 : c;
}
constexpr char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
constexpr bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
constexpr bool isAlpha(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

}  // namespace XCase
