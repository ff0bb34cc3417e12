#include <string>

#include "XFile.h"
#include "XJSON.h"

namespace {

constexpr std::size_t kReadChunk = 65536;

// The whole file, or false when it cannot be read or holds more than maxBytes bytes. The
// size is only a first guess: the file may grow while it is read, or be a pipe.
bool readWhole(XFile& file, int64_t maxBytes, std::string& bytes) {
    const std::size_t limit = maxBytes > 0 ? static_cast<std::size_t>(maxBytes) : 0;
    const int64_t size = file.Size();
    if (size > maxBytes) {
        return false;
    }
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) + 1 : kReadChunk);
    std::size_t done = 0;
    while (true) {
        bool failed = false;
        const std::size_t n =
            file.Read(bytes.data() + done, bytes.size() - done, XFile::kAtCurrent, &failed);
        if (failed) {
            return false;
        }
        done += n;
        if (done > limit) {
            return false;
        }
        if (done < bytes.size()) {
            break;
        }
        bytes.resize(bytes.size() + kReadChunk);
    }
    bytes.resize(done);
    return true;
}

}  // namespace

XJSON::Owned XJSON::ReadFile(const XFileName& path, int64_t maxBytes) {
    XFile file;
    if (!file.Open(path, XFile::Access::kReadOnly, XFile::kOpenExisting | XFile::kNoLock)) {
        return nullptr;
    }
    std::string bytes;
    if (!readWhole(file, maxBytes, bytes)) {
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
