// Small pieces of the program's English.
#pragma once

#include <cstdint>
#include <string>

#include "XStr.h"

namespace VCliText {

// "1 file", "3 files", "0 files"; plural is the singular with "s" unless given.
XStr count(uint64_t n, const char* singular, const char* plural = nullptr);
// How a message names its subject (a file, an option, a value): in single quotes, shown
// escaped.
std::string quoted(const XStr& text);
std::string quoted(const std::string& utf8);

}  // namespace VCliText
