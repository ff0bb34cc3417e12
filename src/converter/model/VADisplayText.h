// Untrusted text (file names, tags, FFmpeg's lines) made safe to show on a terminal or in a
// plain-text view: control characters appear escaped as "ls" and "git" show them, and the
// bytes of a file name that are not UTF-8 appear as their octal escape, so what is shown is
// always valid UTF-8 and never moves the cursor, clears a line or changes a colour.
#pragma once

#include <string>

#include "XStr.h"

namespace VADisplayText {

// A unit of a file name that is not UTF-8 holds the byte U+DC00 + b.
constexpr char32_t kRawByteFirst = 0xDC80;
constexpr char32_t kRawByteLast = 0xDCFF;

// C0 controls, DEL and the C1 controls.
bool isControl(char32_t unit);
// A byte of a file name that is not UTF-8.
bool isRawByte(char32_t unit);
// The unit itself, or U+FFFD for a unit that is no Unicode scalar value (and no raw byte).
char32_t shown(char32_t unit);
// What a unit stands for as bytes of UTF-8, as it would reach a system call: a raw byte
// itself, a unit that is no Unicode scalar value U+FFFD.
std::string bytesOf(char32_t unit);
// "\n", "\t" and "\r" by name; any other control or raw byte as "\ooo" for each of its
// bytes ("\033", "\302\233", "\351"). A form both C and a shell's $'...' read back.
void appendEscape(XStr& out, char32_t unit);

// The text with every control character and raw byte escaped; a unit that is no Unicode
// scalar value becomes U+FFFD. Other text, backslashes included, stays as it is, so the
// escaping of escaped text changes nothing.
XStr escaped(const XStr& text);
// The escaped text in single quotes: how a message names a file or a value.
XStr quoted(const XStr& text);
// The escaped text as UTF-8, for a stream.
std::string utf8(const XStr& text);
// Each line of a text of several lines escaped on its own; the line ends stay.
std::string linesUtf8(const std::string& text);

}  // namespace VADisplayText
