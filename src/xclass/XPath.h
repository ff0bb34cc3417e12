// The one set of path helpers of the whole program: file name, extension, folder and
// joining. Paths are POSIX paths with "/" as separator; the text forms work on XStr (whose
// escaped bytes keep a name that is not UTF-8 intact), the byte forms on std::string.
//
// A name that begins with a point is hidden; that point starts no extension ("a/.profile"
// has none, "a/.profile.bak" has ".bak"). Trailing slashes name the folder itself.
#pragma once

#include <string>

#include "XStr.h"

namespace XPath {

// The last component: "a/b.c" gives "b.c", "a/b/" gives "b", "/" gives "/", "" gives "".
XStr fileName(const XStr& path);
std::string fileName(const std::string& path);

// The extension of the last component with its point, empty when there is none.
XStr extension(const XStr& path);
// The last component without its extension.
XStr baseName(const XStr& path);

// The folder that holds the last component, as dirname gives it: "a/b" gives "a", "/a"
// gives "/", "a" gives ".", "a/b/" gives "a", "/" gives "/".
XStr folderOf(const XStr& path);
std::string folderOf(const std::string& path);

// The two with exactly one "/" between them; leading "/" of name are skipped. An empty
// folder gives name unchanged, an empty name the folder.
XStr join(const XStr& folder, const XStr& name);
std::string join(const std::string& folder, const std::string& name);

// The path with the extension of its last component replaced by ext (with its point, or
// empty for none).
XStr withExtension(const XStr& path, const XStr& ext);

// Trailing "/" removed; "/" itself stays.
XStr withoutTrailingSlash(const XStr& path);
std::string withoutTrailingSlash(const std::string& path);

bool isAbsolute(const XStr& path);

// "." and empty components dropped, ".." taking away the component before it (at the top
// of an absolute path it stays at "/"; a relative path keeps its leading ".."), no
// trailing "/". Only the text is looked at, never the disk.
XStr lexicallyNormal(const XStr& path);

// The non-empty components in order: "/a//b/" gives a, b.
XStrList components(const XStr& path);

// Folders under which disks and network shares are mounted: "/Volumes", "/Network",
// "/media", "/media/$USER", "/run/media/$USER" and "/mnt" ($USER only when it is set).
XStrList mountPointRoots();
bool isMountPointRoot(const XStr& folder);
// A folder that must never be made: a mount-point root, a folder above one, or a mount
// point itself (a folder directly inside a root). Made anyway, it would stand in for a
// disk that is not mounted and fill the system disk instead.
bool isNeverCreated(const XStr& folder);
// The mount point (a folder directly inside a root) that holds the path; empty when the
// path lies on no such volume.
XStr volumeOf(const XStr& path);

}  // namespace XPath
