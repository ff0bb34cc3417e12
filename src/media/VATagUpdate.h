// Writing tags into media files. Not supported: every write answers failure, so callers
// can offer the operation only where it works.
#pragma once

#include "VATag.h"

class VATagUpdate {
public:
    explicit VATagUpdate(const XStr& path) : mPath(path) {}

    static VATagUpdate initWithFile(const XStr& path) { return VATagUpdate(path); }

    bool readBack() { return false; }
    bool writeTags(const VATag& /*tags*/) { return false; }
    // Only deleting nothing succeeds.
    bool deleteTags(const XStrList& names) { return names.empty(); }
    bool deleteAllTags() { return false; }
    void close() {}
    const XStr& path() const { return mPath; }

private:
    XStr mPath;
};
