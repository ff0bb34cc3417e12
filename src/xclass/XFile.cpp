#include "XFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "XPath.h"
#include "XSys.h"

namespace {

// strerror_r comes in a GNU and a POSIX flavour; these pick the text from either.
[[maybe_unused]] const char* errorTextOf(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* errorTextOf(const char* result, const char*) {
    return result;
}

int openRetrying(const char* path, int flags, mode_t mode) {
    int fd;
    do {
        fd = XSys().open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int flockRetrying(int fd, int operation) {
    int result;
    do {
        result = XSys().flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

// Closes without letting the close disturb the errno of the failure being reported.
void closeKeepingErrno(int fd) {
    const int saved = errno;
    XSys().close(fd);
    errno = saved;
}

// The descriptor of a regular file keeps the blocking reads and writes that the rest of
// XFile expects; anything else is refused.
bool keepOnlyRegular(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

constexpr std::size_t kReadChunk = 65536;

}  // namespace

XStr XErrnoText(int err) {
    char buffer[256] = {0};
    const char* text = errorTextOf(strerror_r(err, buffer, sizeof buffer), buffer);
    return XStr(text) + XStr::format(" (errno:%i)", err);
}

XFile::~XFile() {
    Close();
}

XFile::XFile(XFile&& other) noexcept
    : mPath(std::move(other.mPath)),
      mFd(std::exchange(other.mFd, -1)),
      mOwns(std::exchange(other.mOwns, false)),
      mReport(other.mReport) {}

XFile& XFile::operator=(XFile&& other) noexcept {
    if (this != &other) {
        Close();
        mPath = std::move(other.mPath);
        mFd = std::exchange(other.mFd, -1);
        mOwns = std::exchange(other.mOwns, false);
        mReport = other.mReport;
    }
    return *this;
}

bool XFile::Open(const XFileName& path, Access access, uint32_t disposition, Share share,
                 bool report) {
    Close();
    mPath = path;
    mReport = report;

    const bool lock = (disposition & kNoLock) == 0;
    const bool wait = (disposition & kWaitForLock) != 0;
    const bool regularOnly = (disposition & kRegularOnly) != 0;
    int flags = O_CLOEXEC | (access == Access::kReadWrite ? O_RDWR : O_RDONLY);
    if (regularOnly) {
        // Opening a FIFO waits for its other end and opening a terminal may make it ours;
        // neither may happen before the kind of file is known.
        flags |= O_NONBLOCK | O_NOCTTY;
    }
    bool truncate = false;
    switch (disposition & ~(kNoLock | kWaitForLock | kRegularOnly)) {
        case kCreateNew:
            flags |= O_CREAT | O_EXCL;
            break;
        case kCreateAlways:
            flags |= O_CREAT;
            truncate = true;
            break;
        case kOpenExisting:
            break;
        case kOpenAlways:
            flags |= O_CREAT;
            break;
        case kTruncateExisting:
            truncate = true;
            break;
        default:
            errno = EINVAL;
            Report("Unable to open");
            return false;
    }
    // Emptying a file that another holder has locked would destroy what its lock protects,
    // so a locking open empties the file only once it holds the lock itself. Read-only
    // access cannot ftruncate and is left to the system's own order.
    const bool truncateAfterLock = truncate && lock && access == Access::kReadWrite;
    if (truncate && !truncateAfterLock) {
        flags |= O_TRUNC;
    }

    const std::string utf8 = path.utf8();
    const int fd = openRetrying(utf8.c_str(), flags, 0666);
    if (fd < 0) {
        Report("Unable to open");
        return false;
    }
    if (regularOnly && !keepOnlyRegular(fd)) {
        closeKeepingErrno(fd);
        Report("Unable to open");
        return false;
    }
    if (lock) {
        const int operation = (share == Share::kShared ? LOCK_SH : LOCK_EX) | (wait ? 0 : LOCK_NB);
        if (flockRetrying(fd, operation) != 0) {
            closeKeepingErrno(fd);
            Report("Unable to open");
            return false;
        }
    }
    if (truncateAfterLock && ftruncate(fd, 0) != 0) {
        closeKeepingErrno(fd);
        Report("Unable to open");
        return false;
    }
    mFd = fd;
    mOwns = true;
    return true;
}

void XFile::Attach(int fd, bool owns, const XFileName& path) {
    Close();
    mFd = fd;
    mOwns = owns;
    mPath = path;
}

void XFile::Report(const char* what) const {
    if (!mReport) {
        return;
    }
    const int saved = errno;
    std::printf("%s '%s'\n", what, mPath.utf8().c_str());
    std::fflush(stdout);
    errno = saved;
}

bool XFile::PositionFor(int position) {
    switch (position) {
        case kAtStart:
            return lseek(mFd, 0, SEEK_SET) >= 0;
        case kAtEnd:
            return lseek(mFd, 0, SEEK_END) >= 0;
        case kAtCurrent:
            return true;
        default:
            errno = EINVAL;
            return false;
    }
}

size_t XFile::Read(void* buffer, size_t length, int position, bool* failed) {
    if (failed != nullptr) {
        *failed = false;
    }
    auto fail = [&]() -> size_t {
        if (failed != nullptr) {
            *failed = true;
        }
        Report("Unable to read from");
        return 0;
    };
    if (mFd < 0) {
        errno = EBADF;
        return fail();
    }
    if (buffer == nullptr && length > 0) {
        errno = EINVAL;
        return fail();
    }
    if (!PositionFor(position)) {
        return fail();
    }
    char* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = XSys().read(mFd, out + done, length - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail();
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return done;
}

bool XFile::ReadAll(std::string& bytes, int64_t maxBytes) {
    bytes.clear();
    const int64_t size = Size();
    const int64_t position = Tell();
    const auto limit = static_cast<std::size_t>(maxBytes > 0 ? maxBytes : 0);
    // Files that claim no size (those of /proc) are read in chunks.
    std::size_t guess = kReadChunk;
    if (size > 0 && position >= 0 && size >= position) {
        if (size - position > maxBytes) {
            errno = EFBIG;
            return false;
        }
        // One more than the size, so that the end is seen by the first read.
        guess = static_cast<std::size_t>(size - position) + 1;
    }
    std::size_t done = 0;
    while (true) {
        // Never more than one past the limit.
        const std::size_t want = std::min(guess, limit + 1);
        bytes.resize(want);
        bool failed = false;
        done += Read(bytes.data() + done, want - done, kAtCurrent, &failed);
        if (failed) {
            bytes.clear();
            return false;
        }
        if (done > limit) {
            bytes.clear();
            errno = EFBIG;
            return false;
        }
        if (done < want) {
            break;
        }
        guess = want + kReadChunk;
    }
    bytes.resize(done);
    return true;
}

bool XFile::Write(const void* buffer, size_t length, int position) {
    if (mFd < 0) {
        errno = EBADF;
        Report("Unable to write to");
        return false;
    }
    if (buffer == nullptr) {
        if (length == 0) {
            return true;
        }
        if (mReport) {
            std::printf("Error writing a NULL buffer to file\n");
            std::fflush(stdout);
        }
        errno = EINVAL;
        return false;
    }
    if (!PositionFor(position)) {
        Report("Unable to write to");
        return false;
    }
    const char* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = XSys().write(mFd, in + done, length - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                // No progress and no error: give up rather than spin.
                errno = EIO;
            }
            Report("Unable to write to");
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool XFile::Seek(int64_t offset, Origin origin) {
    if (mFd < 0) {
        errno = EBADF;
        return false;
    }
    const int whence = origin == Origin::kStart     ? SEEK_SET
                       : origin == Origin::kCurrent ? SEEK_CUR
                                                    : SEEK_END;
    return lseek(mFd, static_cast<off_t>(offset), whence) >= 0;
}

int64_t XFile::Tell() const {
    if (mFd < 0) {
        errno = EBADF;
        return -1;
    }
    return lseek(mFd, 0, SEEK_CUR);
}

int64_t XFile::Size() const {
    struct stat st {};
    if (mFd < 0 || fstat(mFd, &st) != 0) {
        return -1;
    }
    return st.st_size;
}

bool XFile::Truncate(int64_t length) {
    if (mFd < 0) {
        errno = EBADF;
        return false;
    }
    int result;
    do {
        result = ftruncate(mFd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool XFile::Lock(Share share, bool wait) {
    if (mFd < 0) {
        errno = EBADF;
        return false;
    }
    const int operation = (share == Share::kShared ? LOCK_SH : LOCK_EX) | (wait ? 0 : LOCK_NB);
    return flockRetrying(mFd, operation) == 0;
}

bool XFile::Unlock() {
    if (mFd < 0) {
        errno = EBADF;
        return false;
    }
    return flockRetrying(mFd, LOCK_UN) == 0;
}

bool XFile::Sync() {
    if (mFd < 0) {
        errno = EBADF;
        return false;
    }
    int result;
    do {
        result = XSys().fsync(mFd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool XFile::Close() {
    if (mFd < 0) {
        return true;
    }
    const int fd = std::exchange(mFd, -1);
    if (!std::exchange(mOwns, false)) {
        return true;
    }
    // Never retried: on Linux the descriptor is released even when close reports EINTR,
    // and a second close could hit a descriptor another thread has just opened.
    return XSys().close(fd) == 0;
}

XFile XFile::Duplicate() const {
    XFile copy;
    if (mFd < 0) {
        return copy;
    }
    const int fd = fcntl(mFd, F_DUPFD_CLOEXEC, 0);
    if (fd >= 0) {
        copy.mFd = fd;
        copy.mOwns = true;
    }
    copy.mPath = mPath;
    copy.mReport = mReport;
    return copy;
}

bool XFile::Delete(const XFileName& path) {
    return unlink(path.utf8().c_str()) == 0;
}

bool XFile::Rename(const XFileName& from, const XFileName& to) {
    return XSys().rename(from.utf8().c_str(), to.utf8().c_str()) == 0;
}

bool XFile::CreateFolderPath(const XFileName& path) {
    const std::string folder = path.utf8();
    if (folder.empty()) {
        errno = ENOENT;
        return false;
    }
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            errno = ENOTDIR;
            return false;
        }
        return true;
    }
    // Each prefix that ends a component, from the top down; existing ones are passed over.
    for (size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && folder[end] != '/') {
            continue;
        }
        if (folder[end - 1] == '/') {
            continue;
        }
        const std::string part = folder.substr(0, end);
        if (XPath::isNeverCreated(XStr(part))) {
            // Only looked at: a disk that is not mounted must not turn into a folder.
            if (stat(part.c_str(), &st) != 0 || access(part.c_str(), R_OK) != 0) {
                return false;
            }
            continue;
        }
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (stat(folder.c_str(), &st) != 0) {
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}
