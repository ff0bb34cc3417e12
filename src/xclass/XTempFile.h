// A uniquely named temporary file, deleted when the object goes away.
#pragma once

#include "XStr.h"

class XTempFile {
public:
    XTempFile() = default;
    ~XTempFile();
    XTempFile(XTempFile&& other) noexcept;
    XTempFile& operator=(XTempFile&& other) noexcept;
    XTempFile(const XTempFile&) = delete;
    XTempFile& operator=(const XTempFile&) = delete;

    // The folder temporary files go into, always ending in "/": the environment variable
    // "XTempFolderScope_Location" when set, else $TMPDIR, else "/tmp".
    static XFileName Folder();

    // Deletes the file made before, then creates a new, empty file of a name no other
    // process or thread has: folder + prefix + "XTempFile-<pid>-<counter>" + extension
    // (".tmp" when empty). False (and an empty path) when the file cannot be created.
    bool Create(const XStr& prefix = XStr(), const XStr& extension = XStr());
    // The same in another folder (ending in "/").
    bool CreateIn(const XFileName& folder, const XStr& prefix, const XStr& extension);
    const XFileName& Path() const { return mPath; }
    // Deletes the file now.
    void Delete();
    // Forgets the file without deleting it; answers its path.
    XFileName Release();

private:
    XFileName mPath;
};
