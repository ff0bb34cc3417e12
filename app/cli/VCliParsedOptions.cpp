#include "VCliParsedOptions.h"

std::optional<std::string> VCliParsedOptions::value(const std::string& longName) const {
    const auto it = mValues.find(longName);
    if (it == mValues.end() || it->second.empty()) {
        return std::nullopt;
    }
    return it->second.back();
}

const std::vector<std::string>& VCliParsedOptions::values(const std::string& longName) const {
    static const std::vector<std::string> kNone;
    const auto it = mValues.find(longName);
    return it == mValues.end() ? kNone : it->second;
}

void VCliParsedOptions::add(const std::string& longName, std::string value) {
    mValues[longName].push_back(std::move(value));
}
