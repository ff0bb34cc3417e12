#include "VVCDSPText.h"

#include <charconv>
#include <cmath>

namespace {

XStr runAfter(const XStr& text, const XStr& marker, bool points) {
    const std::size_t at = text.find(marker);
    if (at == XStr::npos) {
        return {};
    }
    std::size_t end = at + marker.size();
    while (end < text.size()) {
        const char32_t c = text[end];
        if (!((c >= U'0' && c <= U'9') || c == U'-' || (points && c == U'.'))) {
            break;
        }
        ++end;
    }
    return text.substr(at + marker.size(), end - at - marker.size());
}

}  // namespace

int64_t VVCDSPText::scanIntAfter(const XStr& text, const XStr& marker) {
    return runAfter(text, marker, false).toInt64();
}

double VVCDSPText::scanFloatAfter(const XStr& text, const XStr& marker) {
    return runAfter(text, marker, true).toDouble();
}

std::optional<XStr> VVCDSPText::scanStringAfter(const XStr& text, const XStr& marker) {
    const std::size_t at = text.find(marker);
    if (at == XStr::npos) {
        return std::nullopt;
    }
    return text.substr(at + marker.size());
}

std::optional<XStr> VVCDSPText::scanStringAfterBefore(const XStr& text, const XStr& first,
                                                      const XStr& second) {
    const std::size_t at = text.find(first);
    if (at == XStr::npos) {
        return std::nullopt;
    }
    const std::size_t from = at + first.size();
    const std::size_t to = text.find(second, from);
    return to == XStr::npos ? text.substr(from) : text.substr(from, to - from);
}

XStr VVCDSPText::fixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "0";
    }
    return XStr(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::optional<std::vector<int64_t>> VVCDSPText::integersSplitAt(const XStr& text,
                                                                char32_t separator,
                                                                std::size_t count) {
    const XStrList parts = text.split(separator);
    if (parts.size() != count) {
        return std::nullopt;
    }
    std::vector<int64_t> out;
    for (const XStr& part : parts) {
        out.push_back(part.toInt64());
    }
    return out;
}
