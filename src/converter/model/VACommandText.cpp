#include "VACommandText.h"

#include "VADisplayText.h"

namespace {

bool isSafe(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
           c == U'+' || c == U'-' || c == U'.' || c == U'/' || c == U'_';
}

bool isShellSafe(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
           c == U'@' || c == U'%' || c == U'+' || c == U'=' || c == U':' || c == U',' ||
           c == U'.' || c == U'/' || c == U'_' || c == U'-';
}

// Octal escapes only: a "'" or "!" never appears inside, so neither the end of the quotes
// nor an interactive shell's history expansion can be met by accident.
XStr dollarQuoted(const XStr& argument) {
    XStr out("$'");
    for (const char32_t c : argument) {
        if (c == U'\\') {
            out += "\\\\";
        } else if (c == U'\'' || c == U'!' || VADisplayText::isControl(c) ||
                   VADisplayText::isRawByte(c)) {
            VADisplayText::appendEscape(out, c);
        } else {
            out += VADisplayText::shown(c);
        }
    }
    out += U'\'';
    return out;
}

}  // namespace

namespace VACommandText {

XStr ShellQuote(const XStr& argument) {
    bool safe = !argument.empty();
    bool plain = true;
    for (const char32_t c : argument) {
        safe = safe && isShellSafe(c);
        plain = plain && !VADisplayText::isControl(c) && !VADisplayText::isRawByte(c);
    }
    if (safe) {
        return argument;
    }
    if (!plain) {
        return dollarQuoted(argument);
    }
    XStr out("'");
    for (const char32_t c : argument) {
        if (c == U'\'') {
            out += "'\\''";
        } else {
            out += VADisplayText::shown(c);
        }
    }
    out += U'\'';
    return out;
}

XStr ShellLine(const XStrList& arguments) {
    XStrList words;
    for (const XStr& argument : arguments) {
        XStr word = ShellQuote(argument);
        // "NAME=value" in front of a command sets a variable instead of running anything.
        if (words.empty() && word == argument && argument.contains(U'=')) {
            word = "'" + argument + "'";
        }
        words.push_back(std::move(word));
    }
    return XStr::join(words, " ");
}

XStr Quote(const XStr& path) {
    bool safe = !path.empty();
    for (char32_t c : path) {
        if (!isSafe(c)) {
            safe = false;
            break;
        }
    }
    if (safe) {
        return path;
    }
    XStr out;
    out.reserve(path.size() + 2);
    out += U'"';
    out += Escape(path);
    out += U'"';
    return out;
}

XStrList Split(const XStr& commandText) {
    XStrList args;
    XStr current;
    bool present = false;
    bool quoting = false;
    const std::size_t n = commandText.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t c = commandText[i];
        if (c == U'"') {
            quoting = !quoting;
            present = true;
        } else if (c == U'\\') {
            if (i + 1 >= n) {
                break;
            }
            current += commandText[++i];
            present = true;
        } else if (c == U' ' && !quoting) {
            if (present) {
                args.push_back(std::move(current));
                current.clear();
                present = false;
            }
        } else {
            current += c;
            present = true;
        }
    }
    if (present) {
        args.push_back(std::move(current));
    }
    return args;
}

XStr Escape(const XStr& text) {
    XStr out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c == U'\\' || c == U'"') {
            out += U'\\';
        }
        out += c;
    }
    return out;
}

XStr OptionName(const XStr& name) {
    XStr out("-");
    // The parser skips a second leading "-", so a name that begins with one needs another.
    if (!name.empty() && name.front() == U'-') {
        out += U'-';
    }
    if (name.contains(U' ')) {
        out += U'"';
        out += Escape(name);
        out += U'"';
    } else {
        out += Escape(name);
    }
    return out;
}

}  // namespace VACommandText
