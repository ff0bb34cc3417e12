// Rows of the naming golden tables: a template, the tags of one source and the whole
// expected name.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "NTag.h"
#include "VMCNamingTemplate.h"

using TagList = std::vector<std::pair<const char*, const char*>>;

inline NTag makeTags(const TagList& list) {
    NTag tags;
    for (const auto& [name, value] : list) {
        tags.AddElement(name, value);
    }
    return tags;
}

struct NamingCase {
    const char* name;
    const char* templ;
    TagList tags;
    XStr expected;
    bool pathMode = true;
};

inline void expectNames(const std::vector<NamingCase>& cases) {
    for (const NamingCase& c : cases) {
        EXPECT_EQ(ExpandNamingTemplate(c.templ, makeTags(c.tags), c.pathMode), c.expected)
            << c.name << ": " << c.templ;
    }
}
