// A thin file object over a POSIX descriptor: the library's open dispositions, optional
// whole-file advisory locking, and messages on standard output when reporting is on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "XStr.h"

class XFile {
public:
    enum class Access { kReadOnly, kReadWrite };
    enum class Share { kShared, kExclusive };
    enum class Origin { kStart, kCurrent, kEnd };

    // Dispositions: the low bits of the disposition value.
    static constexpr uint32_t kCreateNew = 1;         // fail when the file exists
    static constexpr uint32_t kCreateAlways = 2;      // create, or empty an existing file
    static constexpr uint32_t kOpenExisting = 3;      // fail when the file is missing
    static constexpr uint32_t kOpenAlways = 4;        // create when missing
    static constexpr uint32_t kTruncateExisting = 5;  // empty an existing file
    // Flags above the dispositions.
    static constexpr uint32_t kNoLock = 1u << 31;
    static constexpr uint32_t kWaitForLock = 1u << 30;
    // Only a regular file opens. Anything else (a FIFO, a device, a socket) is refused at
    // once, before it could block or act on being opened; errno is then EISDIR for a
    // folder and EINVAL for the rest. For files that the program reads on its own account
    // (settings, caches) and for sources, whose names anybody may have given.
    static constexpr uint32_t kRegularOnly = 1u << 29;

    // Position modes of Read and Write.
    static constexpr int kAtStart = 0;
    static constexpr int kAtEnd = 1;
    static constexpr int kAtCurrent = 2;

    XFile() = default;
    ~XFile();
    XFile(XFile&& other) noexcept;
    XFile& operator=(XFile&& other) noexcept;
    XFile(const XFile&) = delete;
    XFile& operator=(const XFile&) = delete;

    // Closes what the object held first. On failure errno tells why and, with report on,
    // "Unable to open '<path>'" is printed.
    bool Open(const XFileName& path, Access access, uint32_t disposition,
              Share share = Share::kExclusive, bool report = false);
    // Takes a descriptor opened elsewhere; with owns it is closed by this object.
    void Attach(int fd, bool owns, const XFileName& path = XFileName());

    bool IsOpen() const { return mFd >= 0; }
    int Descriptor() const { return mFd; }
    const XFileName& Path() const { return mPath; }
    bool Reporting() const { return mReport; }

    // Reads up to length bytes, fewer only at the end of the file. Answers the count, 0 on
    // failure; failed (when given) tells a failure from the end of the file.
    size_t Read(void* buffer, size_t length, int position = kAtCurrent, bool* failed = nullptr);
    // Everything from the current position to the end, into bytes. False (errno EFBIG)
    // when that is more than maxBytes: the size the file claims is checked before anything
    // is allocated, and the reading stops past the limit should the file grow meanwhile.
    bool ReadAll(std::string& bytes, int64_t maxBytes);
    // Succeeds only when every byte was written.
    bool Write(const void* buffer, size_t length, int position = kAtCurrent);

    bool Seek(int64_t offset, Origin origin);
    int64_t Tell() const;  // -1 when unknown
    int64_t Size() const;  // -1 when unknown
    bool Truncate(int64_t length);
    bool Lock(Share share, bool wait);
    bool Unlock();
    // Flushes the content to the storage device.
    bool Sync();
    // False when the system reported an error on close; the descriptor is gone either way.
    bool Close();
    // A new object with its own (close-on-exec) descriptor of the same open file.
    XFile Duplicate() const;

    static bool Delete(const XFileName& path);
    static bool Rename(const XFileName& from, const XFileName& to);
    // Creates the folder and every missing parent (mode 0777 before the umask); true when
    // the folder exists afterwards. Mount-point roots and the mount points inside them
    // (XPath::isNeverCreated) are never made, only tested for read access; a missing one
    // fails with ENOENT.
    static bool CreateFolderPath(const XFileName& path);
    // Replaces the whole content so that readers see either the old or the new file, never
    // a partial one. The target is untouched when it answers false.
    static bool RewriteFile(const XFileName& path, const void* bytes, size_t length);
    // The same for a cache, without waiting for the storage device: readers still see the
    // old or the new file, but a power cut may leave the file empty or cut (a damaged cache,
    // made again), and a busy disk costs nobody a flush.
    static bool RewriteCacheFile(const XFileName& path, const void* bytes, size_t length);

private:
    static bool Rewrite(const XFileName& path, const void* bytes, size_t length, bool durable);
    bool PositionFor(int position);
    void Report(const char* what) const;

    XFileName mPath;
    int mFd = -1;
    bool mOwns = false;
    bool mReport = false;
};

// The system's description of an error number followed by " (errno:<number>)".
XStr XErrnoText(int err);
