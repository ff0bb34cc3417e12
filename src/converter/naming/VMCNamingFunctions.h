// The functions of the template language ("[UPPER]text[]" and the others). They run after
// the element tokens have been replaced, the last opened first, so that functions nest:
// their argument text already holds values and the results of the functions inside. A
// function counts, cuts and compares the characters its arguments stand for, never the
// escape forms that hold a value's commas and brackets.
#pragma once

#include <string>
#include <string_view>

#include "VMCNamingTagSet.h"
#include "VMCNamingTokenTable.h"

class VMCNamingFunctions {
public:
    explicit VMCNamingFunctions(const VMCNamingTagSet& tags) : mTags(tags) {}

    // Runs the functions of the text in place until none is left or the last opened one
    // has no closing "[]"; then the text keeps what has been produced so far.
    void run(std::u32string& text) const;

    // The result of one function (its index in the table) on its argument text, with its
    // commas and brackets escaped.
    std::u32string apply(int function, std::u32string_view args) const;

    // The function tokens, in the order that settles which function runs first.
    static const VMCNamingTokenTable& table();

private:
    std::u32string plainResult(int function, std::u32string_view args) const;
    bool isCompilation() const;
    bool isMultiDisc() const;
    // True when one of the element's values equals expected without regard to case.
    bool equals(std::u32string_view name, std::u32string_view expected) const;
    std::u32string folder(std::u32string_view position, bool fromBack) const;

    const VMCNamingTagSet& mTags;
};
