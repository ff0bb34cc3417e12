#include "VVCDSPPresets.h"

#include "VAResources.h"

namespace {

XStrList linesOf(const XStr& text) {
    XStrList lines = text.split(U'\n');
    for (XStr& line : lines) {
        if (!line.empty() && line.back() == U'\r') {
            line.pop_back();
        }
    }
    return lines;
}

XStr resourceText(const XStr& resourceName) {
    const std::optional<std::string> content = VAResources::read(resourceName);
    return content ? XStr(*content) : XStr();
}

}  // namespace

VVCDSPPresets VVCDSPPresets::load(const XStr& resourceName) {
    return fromText(resourceText(resourceName));
}

VVCDSPPresets VVCDSPPresets::fromText(const XStr& text) {
    VVCDSPPresets presets;
    const XStrList lines = linesOf(text);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        presets.comboShown.push_back(lines[i]);
        presets.comboValues.push_back(lines[i + 1]);
    }
    return presets;
}

XStrList VVCDSPPresets::loadNames(const XStr& resourceName) {
    XStrList names;
    for (XStr& line : linesOf(resourceText(resourceName))) {
        if (!line.trimmed().empty()) {
            names.push_back(std::move(line));
        }
    }
    return names;
}

std::optional<std::size_t> VVCDSPPresets::indexOfValue(const XStr& value) const {
    for (std::size_t i = 0; i < comboValues.size(); ++i) {
        if (comboValues[i] == value) {
            return i;
        }
    }
    return std::nullopt;
}

XStr VVCDSPPresets::valueAt(std::size_t index) const {
    return index < comboValues.size() ? comboValues[index] : XStr();
}
