// The tag set as the template expander reads it: commas and opening brackets escaped so a
// value never reads as syntax, "/" and "\" made harmless in path mode (except in the
// elements that hold the source's own path), and "compilation" normalised. Values are
// prepared when asked for rather than up front: a template reads only a few elements.
#pragma once

#include <string>
#include <string_view>

#include "NTag.h"

class VMCNamingTagSet {
public:
    VMCNamingTagSet(const NTag& tags, bool pathMode) : mTags(tags), mPathMode(pathMode) {}

    // The whole value, every line, at most VMCNamingText::kMaxValueLength characters of it
    // (before escaping); empty for a missing element.
    std::u32string value(std::u32string_view name) const;
    // The value cut at its first carriage return.
    std::u32string firstLine(std::u32string_view name) const;

private:
    const NTag& mTags;
    bool mPathMode;
};
