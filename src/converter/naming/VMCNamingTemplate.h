// The naming template language: "[artist]/[album]/[track] - [title]" and functions such as
// "[UPPER]text[]" turned into the sub-path of an output file for one tag set.
#pragma once

#include "NTag.h"
#include "XStr.h"

// The expanded text of a template for one tag set, without extension. Path mode (on for
// every output name) turns "/" and "\" in the tag values into "-", except in the elements
// that hold the source's own location ("origpath", "origfilename", "origdrive", "subpath").
XStr ExpandNamingTemplate(const XStr& templ, const NTag& tags, bool pathMode);

// True when the template reads the source's metadata, so the source must be probed first.
bool TemplateNeedsMetadata(const XStr& templ);

// The template as help text: element tokens as their labels and the functions in their
// upper-case spelling, each behind a colour marker "_RGB_-RGB-rrr-ggg-bbb".
XStr DescribeNamingTemplate(const XStr& templ);
