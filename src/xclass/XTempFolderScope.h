// A private folder inside the temporary folder for the length of one piece of work
// (unpacking an archive): "XTempFolder-<i>" with the first i whose lock file
// "XTempFolderLock" this process can lock, emptied when a stale one is taken over, and
// removed with everything in it when the scope ends. Links inside are removed, never
// followed.
//
// The environment is left alone: other threads read it while the scope lasts, and
// changing it under them is not safe. Work inside the scope names the folder itself.
#pragma once

#include "XStr.h"

class XTempFolderScope {
public:
    XTempFolderScope();
    ~XTempFolderScope();
    XTempFolderScope(const XTempFolderScope&) = delete;
    XTempFolderScope& operator=(const XTempFolderScope&) = delete;

    bool IsValid() const { return mLockFD >= 0; }
    // The folder, ending in "/"; empty when none could be made.
    const XFileName& Path() const { return mPath; }

    static constexpr const char* kFolderPrefix = "XTempFolder-";
    static constexpr const char* kLockName = "XTempFolderLock";

private:
    XFileName mPath;
    int mLockFD = -1;
};
