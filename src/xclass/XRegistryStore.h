// One opening of the store file: shared for a read, exclusive for a write. The advisory
// lock on the ".lock" file beside the store serialises writers across threads and
// processes; a writer holds it from before reading until the new file is in place.
//
// Nothing here fails its caller: a writer that cannot have the lock gets an empty document
// that is never saved (a reader reads without it); a file that cannot be read or parsed
// reads as an empty store. Only a regular file is read, and none larger than
// kMaxFileBytes: such a file is left as it is, never replaced by a write.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "XFile.h"
#include "XJSON.h"
#include "XRegistryFileStamp.h"

class XRegistryStore {
public:
    enum class Mode { kShared, kExclusive };

    // Settings are a few kilobytes; the parsed tree of a file takes twenty times its size.
    static constexpr int64_t kMaxFileBytes = 16 << 20;

    explicit XRegistryStore(Mode mode);
    // Closes: a changed document is written first when the lock is held.
    ~XRegistryStore();
    XRegistryStore(const XRegistryStore&) = delete;
    XRegistryStore& operator=(const XRegistryStore&) = delete;

    const XFileName& Path() const { return mPath; }
    XJSON::Object& Document() { return *mDocument; }
    std::unique_ptr<XJSON::Object> TakeDocument() { return std::move(mDocument); }
    // The store file's stamp as it was read; exists is false when it could not be read.
    const XRegistryFileStamp& Stamp() const { return mStamp; }
    void MarkChanged() { mChanged = true; }

    // Writes a changed document (exclusive only), releases the lock and makes this process
    // read the file again.
    void Close();

private:
    void Load(Mode mode);
    void Save();

    XFileName mPath;
    XFile mLock;
    std::unique_ptr<XJSON::Object> mDocument;
    XRegistryFileStamp mStamp;
    // The bytes of a store file that held something but no JSON object, kept until the
    // next write replaces it.
    std::string mUnreadable;
    // False when the store file exists but could not be read: writing would replace
    // content that was never seen.
    bool mSaveable = false;
    bool mChanged = false;
    bool mClosed = false;
};
