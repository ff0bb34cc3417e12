// The files a command line names: each FILE as given, or, for a folder, its regular media
// files (by extension, video and audio formats alike) that are not hidden, sorted by name
// (subfolders are not entered). Paths come back absolute, so that every later comparison
// of sources and destinations is of like with like.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VAMediaFormatFilter.h"
#include "XStr.h"

class VCliSourceList {
public:
    // The names in a folder (without "." and ".."); false with errno's value on failure.
    using FolderLister =
        std::function<bool(const std::string& folder, std::vector<std::string>& names, int& error)>;

    VCliSourceList();
    void setFolderLister(FolderLister lister) { mLister = std::move(lister); }

    // False with a message ("No such file: '<path>'") when a FILE cannot be used. Each
    // folder that held files that are no media says how many were left out in notes.
    bool expand(const XStrList& operands, XStrList& files, std::string& error,
                std::vector<std::string>* notes = nullptr) const;
    // The formats of every list, video and audio: a command names what it wants.
    static std::shared_ptr<const VAMediaFormatFilter> allFormats();

    static XStr absolutePath(const XStr& path);
    static bool listFolder(const std::string& folder, std::vector<std::string>& names, int& error);

private:
    FolderLister mLister;
    std::shared_ptr<const VAMediaFormatFilter> mFormats;
};
