// The functions of the template language that work on their arguments alone (no tags).
// Arguments are views of plain text (the escape forms already read as the characters they
// stand for); numbers are still text and read here. Results are plain text as well.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace VMCNamingStringFunctions {

using View = std::u32string_view;

std::u32string upper(View text);
std::u32string lower(View text);
std::u32string right(View count, View text);
std::u32string grab(View from, View to, View text);
std::u32string trim(View text);
std::u32string del(View from, View to, View text);
std::u32string setLength(View count, View pre, View post, View text);
std::u32string ifCondition(View text, View condition, View match, View ifMatch, View ifNoMatch);
// The text with each "_COMMA_" the user wrote turned into ",".
std::u32string withUserCommas(View text);
std::u32string trimFirstFolder(View path);
std::u32string trimLastFolder(View path);
std::u32string maxLength(View length, View text);
std::u32string replace(View search, View replacement, View text);
std::u32string word(View text, View count);
std::u32string group(View count, View text);
std::u32string split(View separator, View text, View index);

}  // namespace VMCNamingStringFunctions
