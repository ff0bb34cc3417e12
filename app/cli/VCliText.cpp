#include "VCliText.h"

#include "VADisplayText.h"

XStr VCliText::count(uint64_t n, const char* singular, const char* plural) {
    const XStr noun = n == 1              ? XStr(singular)
                      : plural != nullptr ? XStr(plural)
                                          : XStr(singular) + "s";
    return XStr::number(n) + " " + noun;
}

std::string VCliText::quoted(const XStr& text) {
    return VADisplayText::quoted(text).utf8();
}

std::string VCliText::quoted(const std::string& utf8) {
    return quoted(XStr(utf8));
}
