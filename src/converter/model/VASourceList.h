// The files a list of paths names, as the command lines and a drop on a window take them:
// each file as given, or, for a folder, its regular files that are not hidden, sorted by
// name (subfolders are not entered). Paths come back absolute, so that every later
// comparison of sources and destinations is of like with like.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "XStr.h"

class VASourceList {
public:
    // The names in a folder (without "." and ".."); false with errno's value on failure.
    using FolderLister =
        std::function<bool(const std::string& folder, std::vector<std::string>& names, int& error)>;

    // Whether a file of a folder is taken, by its name.
    using FileWanted = std::function<bool(const XStr& name)>;

    VASourceList();
    void setFolderLister(FolderLister lister) { mLister = std::move(lister); }
    // Only the files of folders that it accepts are taken (the media files, for the command
    // line); files named on their own are always taken.
    void setFileWanted(FileWanted wanted) { mWanted = std::move(wanted); }

    // False with a message ("No such file: '<path>'") at the first path that cannot be used.
    // Each folder that held files that were not wanted says how many in notes.
    bool expand(const XStrList& operands, XStrList& files, std::string& error,
                std::vector<std::string>* notes = nullptr) const;
    // One path: its files are appended; false with a message when it cannot be used.
    bool expandOne(const XStr& operand, XStrList& files, std::string& error,
                   std::vector<std::string>* notes = nullptr) const;

    static XStr absolutePath(const XStr& path);
    static bool listFolder(const std::string& folder, std::vector<std::string>& names, int& error);

private:
    FolderLister mLister;
    FileWanted mWanted;
};
