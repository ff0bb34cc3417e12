// An FFmpeg build packed as a ".tar.gz" or ".tar.bz2" archive: unpacked by tar (with an
// argument vector, never a shell) into a folder of our own, after its member names were
// checked, and refused when any member or link would reach outside that folder.
#pragma once

#include "XStr.h"

namespace VAFFmpegArchive {

// "xzf" for ".tar.gz", "xjf" for ".tar.bz2" (the end of the name, exactly); empty for
// anything else.
XStr tarFlagsFor(const XStr& path);

// A member name that stays inside the folder it is unpacked into: relative, without "..".
bool isSafeMemberName(const XStr& name);

// Lists the archive, refuses unsafe names, unpacks it into the folder (which must exist and
// be ours alone), then refuses a tree with a link pointing outside it. False with why.
bool unpack(const XStr& archive, const XStr& folder, XStr& why);

// The first link in the tree whose target lies outside it (absolute, or climbing above
// the top with ".."), as a path relative to the top; empty when there is none.
XStr linkLeavingTree(const XStr& folder);

// The tree's FFmpeg: "ffmpeg" at its top, else in its folder "bin"; a regular file, or a
// link to one inside the tree. Empty when there is none.
XStr ffmpegIn(const XStr& folder);

}  // namespace VAFFmpegArchive
