// The clean-up every output path passes through: characters file systems or users do not
// want are replaced after a table, names are kept within the length limits, hidden names
// and the names "." and ".." cannot arise, and names may take the letter case of what is on
// the disk already.
//
// Lengths are counted in bytes of the name as it goes to the disk (UTF-8, a byte that is
// not UTF-8 as itself): that is what the file system limits, and counting characters
// would let a name of accented letters grow past it.
#pragma once

#include <cstddef>
#include <optional>

#include "XStr.h"

class VMCFolderCase;

class VMCPathCleanup {
public:
    // Longest name; a longer one is cut to this.
    static constexpr std::size_t kMaxNameBytes = 249;
    // Longest whole path.
    static constexpr std::size_t kMaxPathBytes = 1023;
    // A file name's base this long is shortened before any folder is.
    static constexpr std::size_t kLongBase = 61;
    // Changes nothing while "/" is kept; what full paths are cleaned with.
    static constexpr const char* kBuiltInTable = "/-";

    struct Options {
        // Pairs of characters: the one to replace, then its replacement ("*" deletes).
        XStr table = kBuiltInTable;
        bool keepSlash = true;
        bool limitWholePath = false;
        // Case matching against the disk when set.
        VMCFolderCase* matchCase = nullptr;
        // The folder the path is made in: left exactly as it is. Empty for a path cleaned
        // on its own, whose leading "/" run then stays as it is.
        XStr base;
        // The first folders of the path keep their spelling (a source's own folders); only
        // the length rules apply to them.
        std::size_t keptFolders = 0;
    };

    // The cleaned path, the base (when given) in front; nothing when the whole-path limit
    // cannot be met without cutting into the base.
    static std::optional<XStr> cleanPath(const XStr& path, const Options& options);

    // A name cut to kMaxNameBytes, a file name keeping its extension.
    static XStr limitName(const XStr& name, bool isFileName);

    // Bytes of the text as it goes to the disk.
    static std::size_t byteSize(const XStr& text);

    // Whether a path made in folder stays inside it with names the file system takes: no
    // empty name, no "." or "..", none longer than kMaxNameBytes, and the whole path within
    // kMaxPathBytes.
    static bool isSafeInside(const XStr& folder, const XStr& path);
};
