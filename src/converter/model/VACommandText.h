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

// One argument written for a POSIX shell so that the shell reads back exactly its bytes:
// bare when made only of letters, digits and "@%+=:,./_-"; else in single quotes, a quote
// written '\''; and when it holds a control character or a byte that is not UTF-8, in the
// $'...' form with octal escapes, so that the text is also safe to show on a terminal.
XStr ShellQuote(const XStr& argument);
// An argument vector as one shell command line: each argument quoted, blanks between. A
// first word that would read as an assignment is quoted too.
XStr ShellLine(const XStrList& arguments);

// Every backslash and double quote preceded by a backslash: the text then reads back
// through Split as itself, quoted or not.
XStr Escape(const XStr& text);

// "-" and the option name, written so that the option parser reads the same name back:
// a name beginning with "-" gets a second leading "-", special characters are escaped and
// a name holding a blank is quoted. Plain names give "-" and the name.
XStr OptionName(const XStr& name);

}  // namespace VACommandText
