#include "VMCOutputFilter.h"

namespace VMCOutputFilter {

namespace {

// Trailing blanks first, then leading ones; only U+0020 counts.
XStr trimBlanks(const XStr& line) {
    std::size_t end = line.size();
    while (end > 0 && line[end - 1] == U' ') {
        --end;
    }
    std::size_t start = 0;
    while (start < end && line[start] == U' ') {
        ++start;
    }
    return line.substr(start, end - start);
}

bool containsNoCase(const XStr& line, const char* text) {
    return line.findNoCase(text) != XStr::npos;
}

}  // namespace

bool isNoise(const XStr& line) {
    return line.endsWith("Metal API Validation Enabled") || line.contains(" GVA info:") ||
           containsNoCase(line, "[info]") || containsNoCase(line, "[warning]") ||
           line.startsWithNoCase("encoded ") || line.empty() ||
           containsNoCase(line, "Referenced QT chapter track not found") ||
           containsNoCase(line, "co located POCs unavailable") ||
           containsNoCase(line, "unable to decode APP fields") ||
           containsNoCase(line, "invalidating cache");
}

std::optional<XStr> errorLineFor(const XStr& rawLine) {
    const XStr line = trimBlanks(rawLine);
    if (isNoise(line)) {
        return std::nullopt;
    }
    if (containsNoCase(line, "cannot load nvcuda.dll")) {
        return XStr(kNvidiaMissing);
    }
    return line;
}

bool isProgressChannelNote(const XStr& line) {
    return containsNoCase(line, "progress URL") || containsNoCase(line, "progress log");
}

}  // namespace VMCOutputFilter
