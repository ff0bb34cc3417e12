#include "XRegistryStore.h"

#include "XRegistry.h"
#include "XRegistryCache.h"
#include "XRegistryDocument.h"

namespace {

bool holdsMoreThanWhitespace(const std::string& bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0 || u > 32) {
            return true;
        }
    }
    return false;
}

}  // namespace

XRegistryStore::XRegistryStore(Mode mode)
    : mPath(XRegistry::GetLocation()), mDocument(std::make_unique<XJSON::Object>()) {
    Load(mode);
}

XRegistryStore::~XRegistryStore() {
    Close();
}

void XRegistryStore::Load(Mode mode) {
    const XFile::Share share =
        mode == Mode::kShared ? XFile::Share::kShared : XFile::Share::kExclusive;
    const bool locked =
        mLock.Open(mPath + ".lock", XFile::Access::kReadWrite,
                   XFile::kOpenAlways | XFile::kWaitForLock | XFile::kRegularOnly, share);
    // A writer needs the lock. A reader does not: writers replace the file in one rename,
    // so it never sees half a file, and a lock file that cannot be made (a read-only data
    // folder) must not hide the settings.
    if (!locked && mode == Mode::kExclusive) {
        return;
    }
    XFile file;
    std::string bytes;
    if (!file.Open(mPath, XFile::Access::kReadOnly,
                   XFile::kOpenAlways | XFile::kNoLock | XFile::kRegularOnly)) {
        if (mode == Mode::kShared) {
            mLock.Close();
        }
        return;
    }
    const XRegistryFileStamp stamp = XRegistryFileStamp::OfDescriptor(file.Descriptor());
    const bool read = file.ReadAll(bytes, kMaxFileBytes);
    file.Close();
    if (mode == Mode::kShared) {
        mLock.Close();
    }
    if (!read) {
        // Too large, or unreadable: what it holds was never seen, so it is never replaced.
        return;
    }
    mStamp = stamp;
    mSaveable = true;
    XJSON::Owned parsed = XJSON::ParseUtf8(bytes);
    if (parsed && parsed->TypeOf() == XJSON::typeObject) {
        mDocument.reset(static_cast<XJSON::Object*>(parsed.release()));
    } else if (mode == Mode::kExclusive && holdsMoreThanWhitespace(bytes)) {
        mUnreadable = std::move(bytes);
    }
}

void XRegistryStore::Save() {
    // A document the parser would refuse would read back as an empty store.
    if (mDocument && XRegistryDocument::Depth(*mDocument) > XJSON::kMaxDepth) {
        return;
    }
    if (!mUnreadable.empty()) {
        // The damaged file is about to be replaced; what it held may still be rescued.
        XFile::RewriteFile(mPath + ".unreadable", mUnreadable.data(), mUnreadable.size());
    }
    const std::string bytes = mDocument ? mDocument->ToUtf8() : std::string();
    XFile::RewriteFile(mPath, bytes.data(), bytes.size());
}

void XRegistryStore::Close() {
    if (mClosed) {
        return;
    }
    mClosed = true;
    const bool wasWriter = mLock.IsOpen();
    if (wasWriter && mChanged && mSaveable) {
        Save();
    }
    mChanged = false;
    mLock.Close();
    if (wasWriter) {
        XRegistryCache::Discard();
    }
}
