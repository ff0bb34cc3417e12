#include "XTempFile.h"

#include <errno.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <utility>

#include "XFile.h"

namespace {

// Names are unique within the process through the counter; the exclusive create guards
// against other processes, so only a taken name is worth another try, and only so often.
constexpr int kCreateAttempts = 1000;

std::atomic<unsigned> gTempCounter{0};

const char* nonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    // An empty value would put temporary files into the root folder.
    return value != nullptr && *value != 0 ? value : nullptr;
}

}  // namespace

XTempFile::~XTempFile() {
    Delete();
}

XTempFile::XTempFile(XTempFile&& other) noexcept : mPath(std::move(other.mPath)) {
    other.mPath.clear();
}

XTempFile& XTempFile::operator=(XTempFile&& other) noexcept {
    if (this != &other) {
        Delete();
        mPath = std::move(other.mPath);
        other.mPath.clear();
    }
    return *this;
}

XFileName XTempFile::Folder() {
    const char* location = nonEmptyEnv("XTempFolderScope_Location");
    if (location == nullptr) {
        location = nonEmptyEnv("TMPDIR");
    }
    XFileName folder = XFileName::fromUtf8(location != nullptr ? location : "/tmp");
    if (!folder.endsWith("/")) {
        folder += U'/';
    }
    return folder;
}

bool XTempFile::Create(const XStr& prefix, const XStr& extension) {
    return CreateIn(Folder(), prefix, extension);
}

bool XTempFile::CreateIn(const XFileName& folder, const XStr& prefix, const XStr& extension) {
    Delete();
    if (folder.empty()) {
        errno = ENOENT;
        return false;
    }
    const XStr suffix = extension.empty() ? XStr(".tmp") : extension;
    const unsigned pid = static_cast<unsigned>(getpid());
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const unsigned counter = ++gTempCounter;
        const XStr unique = XStr::format("%u-%u", pid, counter);
        const XFileName path =
            folder + XStr::format("%sXTempFile-%s", prefix.utf8().c_str(), unique.utf8().c_str()) +
            suffix;
        XFile file;
        if (file.Open(path, XFile::Access::kReadWrite, XFile::kCreateNew | XFile::kNoLock)) {
            file.Close();
            mPath = path;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

void XTempFile::Delete() {
    if (!mPath.empty()) {
        XFile::Delete(mPath);
        mPath.clear();
    }
}

XFileName XTempFile::Release() {
    return std::exchange(mPath, XFileName());
}
