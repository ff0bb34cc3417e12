// The atomic rewrite: the new content goes into a fresh file beside the target, which is
// then renamed over it, so a reader opens either the whole old or the whole new file.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "XFile.h"
#include "XPath.h"
#include "XSys.h"

namespace {

constexpr int kRewriteAttempts = 100;

XFileName rewriteTempName(const XFileName& path, int attempt) {
    XFileName name = path + XStr::format(".p%d", static_cast<int>(getpid()));
    if (attempt > 0) {
        name += XStr::format(".%d", attempt);
    }
    return name + ".rewrite.tmp";
}

using XPath::folderOf;

// Makes the rename itself durable: until the folder is flushed, a power cut may bring
// back the old entry, or on some file systems an entry with no data behind it.
bool syncFolder(const std::string& folder) {
    int fd;
    do {
        fd = XSys().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return false;
    }
    int result;
    do {
        result = XSys().fsync(fd);
    } while (result != 0 && errno == EINTR);
    XSys().close(fd);
    return result == 0;
}

}  // namespace

bool XFile::RewriteFile(const XFileName& path, const void* bytes, size_t length) {
    return Rewrite(path, bytes, length, true);
}

bool XFile::RewriteCacheFile(const XFileName& path, const void* bytes, size_t length) {
    return Rewrite(path, bytes, length, false);
}

bool XFile::Rewrite(const XFileName& path, const void* bytes, size_t length, bool durable) {
    XFile temp;
    XFileName tempName;
    bool created = false;
    for (int attempt = 0; attempt < kRewriteAttempts && !created; ++attempt) {
        tempName = rewriteTempName(path, attempt);
        created = temp.Open(tempName, Access::kReadWrite, kCreateNew | kNoLock);
        // Only a name in use by another rewrite is worth another try; any other error
        // (missing folder, no permission) would repeat for every name.
        if (!created && errno != EEXIST) {
            break;
        }
    }
    if (!created) {
        return false;
    }

    auto abandon = [&]() {
        const int saved = errno;
        temp.Close();
        Delete(tempName);
        errno = saved;
        return false;
    };

    // The new file takes the old one's permission bits before any content goes in, so a
    // private file is never readable by others, not even through the temporary file.
    const std::string target = path.utf8();
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && fchmod(temp.Descriptor(), old.st_mode & 0777) != 0) {
        return abandon();
    }
    if (length > 0 && !temp.Write(bytes, length, kAtCurrent)) {
        return abandon();
    }
    // Flushed before the rename: otherwise a power cut soon after could leave the target
    // name on an empty file.
    if (durable && !temp.Sync()) {
        return abandon();
    }
    if (!temp.Close()) {
        return abandon();
    }
    if (!Rename(tempName, path)) {
        return abandon();
    }
    // A failed folder flush still answers true: the content is already replaced and every
    // reader sees it, and answering false would make callers think the old content stays.
    if (durable) {
        syncFolder(folderOf(target));
    }
    return true;
}
