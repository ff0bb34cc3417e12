// Command text: quoting a path for a command line and splitting a command line into an
// argument vector. Only U+0020 separates arguments; a backslash takes the next character
// literally, inside and outside double quotes.
#pragma once

#include "XStr.h"

namespace VACommandText {

// Text made only of ASCII letters, digits and "+-./_" comes back unchanged; anything
// else (the empty text too) is wrapped in double quotes with every backslash and double
// quote escaped, so that Split(Quote(p)) is always {p}.
XStr Quote(const XStr& path);

XStrList Split(const XStr& commandText);

// Every backslash and double quote preceded by a backslash: the text then reads back
// through Split as itself, quoted or not.
XStr Escape(const XStr& text);

// "-" and the option name, written so that the option parser reads the same name back:
// a name beginning with "-" gets a second leading "-", special characters are escaped and
// a name holding a blank is quoted. Plain names give "-" and the name.
XStr OptionName(const XStr& name);

}  // namespace VACommandText
