// What the option parser found: the values of each option given, by long name, in the
// order given, and the operands.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

class VCliParsedOptions {
public:
    bool has(const std::string& longName) const { return mValues.count(longName) != 0; }
    // The value given; nothing when the option is absent.
    std::optional<std::string> value(const std::string& longName) const;
    // Every value of a repeatable option, in order; empty when absent.
    const std::vector<std::string>& values(const std::string& longName) const;
    void add(const std::string& longName, std::string value);

    std::vector<std::string> operands;

private:
    std::map<std::string, std::vector<std::string>> mValues;
};
