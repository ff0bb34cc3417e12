#include <string>

#include "XFile.h"
#include "XJSON.h"

XJSON::Owned XJSON::ReadFile(const XFileName& path, int64_t maxBytes) {
    XFile file;
    if (!file.Open(path, XFile::Access::kReadOnly,
                   XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly)) {
        return nullptr;
    }
    std::string bytes;
    if (!file.ReadAll(bytes, maxBytes)) {
        return nullptr;
    }
    file.Close();
    return ParseUtf8(bytes);
}

bool XJSON::WriteFile(const XFileName& path, const AnyType* value) {
    if (value == nullptr) {
        return false;
    }
    const std::string bytes = value->ToUtf8();
    XFile file;
    if (!file.Open(path, XFile::Access::kReadWrite, XFile::kCreateAlways | XFile::kNoLock)) {
        return false;
    }
    // A close that reports an error may have lost the data, so it fails the write too.
    const bool written = file.Write(bytes.data(), bytes.size(), XFile::kAtCurrent);
    if (!file.Close() || !written) {
        XFile::Delete(path);
        return false;
    }
    return true;
}

bool XJSON::WriteFileAtomically(const XFileName& path, const AnyType* value) {
    if (value == nullptr) {
        return false;
    }
    const std::string bytes = value->ToUtf8();
    return XFile::RewriteFile(path, bytes.data(), bytes.size());
}
