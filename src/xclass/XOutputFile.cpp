#include "XOutputFile.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

#include "XPath.h"

namespace {

constexpr int kCreateAttempts = 100;
// A list longer than this was not written by us.
constexpr off_t kMaxJournalBytes = 16 << 20;

std::atomic<unsigned> gCounter{0};

// The temporary files of this process that exist now, and its list on disk.
struct Registry {
    std::mutex mutex;
    std::set<std::string> live;
    std::string journalFolder;
    int journalFD = -1;
    std::string journalPath;
};

Registry& registry() {
    // Never destroyed: job threads may still use it while the program exits.
    static Registry* instance = new Registry;
    return *instance;
}

bool processIsGone(pid_t pid) {
    return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Parses digits from pos; false when there are none.
bool readNumber(const std::u32string& s, std::size_t& pos, uint64_t& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < s.size() && s[pos] >= U'0' && s[pos] <= U'9' && pos - start < 12) {
        value = value * 10 + (s[pos] - U'0');
        ++pos;
    }
    return pos > start;
}

void closeJournalAtExit();

void listInJournal(Registry& r, const std::string& path) {
    if (r.journalFolder.empty()) {
        return;
    }
    if (r.journalFD < 0) {
        r.journalPath =
            XPath::join(r.journalFolder,
                        XOutputFile::kJournalPrefix + std::to_string(static_cast<long>(getpid())));
        r.journalFD = open(r.journalPath.c_str(),
                           O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (r.journalFD < 0) {
            // A data folder we cannot write: the files are still removed by this process.
            r.journalFolder.clear();
            return;
        }
        std::atexit(closeJournalAtExit);
    }
    // Names may hold line feeds, never NUL.
    const std::string entry = path + '\0';
    [[maybe_unused]] const ssize_t n = write(r.journalFD, entry.data(), entry.size());
}

void closeJournalAtExit() {
    XOutputFile::RemoveAllOfThisProcess();
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.journalFD >= 0 && r.live.empty()) {
        close(r.journalFD);
        r.journalFD = -1;
        unlink(r.journalPath.c_str());
    }
}

void forget(const std::string& path) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.live.erase(path);
}

bool removeIfOurs(const std::string& path, pid_t owner) {
    if (XOutputFile::OwnerOf(XStr(path)) != owner) {
        return false;
    }
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        return false;
    }
    return unlink(path.c_str()) == 0;
}

// The journal's content, or nothing when it is not a plain file of a sane size.
bool readJournal(const std::string& path, std::string& content) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxJournalBytes;
    if (ok) {
        content.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < content.size()) {
            const ssize_t n = read(fd, content.data() + got, content.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        content.resize(got);
    }
    close(fd);
    return ok;
}

}  // namespace

XOutputFile::~XOutputFile() {
    Discard();
}

XFileName XOutputFile::TempPathFor(const XFileName& destination, pid_t owner, unsigned counter) {
    const XStr name = XPath::fileName(destination);
    const XStr folder = destination.left(destination.size() - name.size());
    XStr stem = XPath::baseName(name);
    XStr ext = XPath::extension(name);
    const XStr mark = XStr(kMarker) + XStr::format("%ld-%u", static_cast<long>(owner), counter);
    const auto bytes = [&] { return ("." + stem + mark + ext).utf8().size(); };
    while (bytes() > NAME_MAX && !stem.empty()) {
        stem.pop_back();
    }
    while (bytes() > NAME_MAX && !ext.empty()) {
        ext.pop_back();
    }
    return folder + "." + stem + mark + ext;
}

pid_t XOutputFile::OwnerOf(const XFileName& path) {
    const std::u32string name = XPath::fileName(path).units();
    if (name.empty() || name[0] != U'.') {
        return 0;
    }
    const std::u32string marker = XStr(kMarker).units();
    const std::size_t at = name.rfind(marker);
    if (at == std::u32string::npos || at == 0) {
        return 0;
    }
    std::size_t pos = at + marker.size();
    uint64_t pid = 0;
    uint64_t counter = 0;
    if (!readNumber(name, pos, pid) || pos >= name.size() || name[pos] != U'-') {
        return 0;
    }
    ++pos;
    if (!readNumber(name, pos, counter)) {
        return 0;
    }
    // Nothing after the counter but the extension.
    if (pos < name.size() &&
        (name[pos] != U'.' || name.find(U'.', pos + 1) != std::u32string::npos)) {
        return 0;
    }
    return pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

bool XOutputFile::Create(const XFileName& destination) {
    Discard();
    const pid_t pid = getpid();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const XFileName temp = TempPathFor(destination, pid, ++gCounter);
        const std::string bytes = temp.utf8();
        // Listed before it exists, so that no moment leaves a file nobody knows of.
        Registry& r = registry();
        {
            std::lock_guard<std::mutex> lock(r.mutex);
            r.live.insert(bytes);
            listInJournal(r, bytes);
        }
        const int fd =
            open(bytes.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            close(fd);
            mTempPath = temp;
            mDestination = destination;
            return true;
        }
        const int error = errno;
        forget(bytes);
        if (error != EEXIST) {
            errno = error;
            return false;
        }
    }
    errno = EEXIST;
    return false;
}

void XOutputFile::Discard() {
    if (mTempPath.empty()) {
        return;
    }
    const std::string bytes = mTempPath.utf8();
    unlink(bytes.c_str());
    forget(bytes);
    mTempPath.clear();
}

XOutputFile::CommitResult XOutputFile::Commit(bool replace) {
    if (mTempPath.empty()) {
        errno = ENOENT;
        return CommitResult::kFailed;
    }
    const std::string temp = mTempPath.utf8();
    const std::string destination = mDestination.utf8();
    const auto fail = [this](CommitResult result) {
        const int error = errno;
        Discard();
        errno = error;
        return result;
    };
    // The content must be on the disk before the name is: otherwise a power cut could leave
    // an empty file under the final name.
    const int fd = open(temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return fail(CommitResult::kFailed);
    }
    const bool synced = fdatasync(fd) == 0;
    const int syncError = errno;
    close(fd);
    if (!synced) {
        errno = syncError;
        return fail(CommitResult::kFailed);
    }

    bool moved = false;
    if (replace) {
        moved = rename(temp.c_str(), destination.c_str()) == 0;
    } else if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) ==
               0) {
        moved = true;
    } else if (errno == EEXIST) {
        return fail(CommitResult::kExists);
    } else if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        // A file system without the flag: a hard link fails just as well on an existing name.
        if (link(temp.c_str(), destination.c_str()) == 0) {
            unlink(temp.c_str());
            moved = true;
        } else if (errno == EEXIST) {
            return fail(CommitResult::kExists);
        } else if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK) {
            // Neither (some removable media): the check and the move are as close as we can
            // bring them.
            struct stat st {};
            if (lstat(destination.c_str(), &st) == 0) {
                errno = EEXIST;
                return fail(CommitResult::kExists);
            }
            moved = rename(temp.c_str(), destination.c_str()) == 0;
        }
    }
    if (!moved) {
        return fail(CommitResult::kFailed);
    }
    forget(temp);
    mTempPath.clear();
    syncFolder(XPath::folderOf(destination));
    return CommitResult::kDone;
}

void XOutputFile::SetJournalFolder(const XFileName& folder) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.journalFolder = XPath::withoutTrailingSlash(folder.utf8());
}

unsigned XOutputFile::RemoveLeftovers(const XFileName& journalFolder) {
    const std::string folder = journalFolder.utf8();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    const std::string prefix = kJournalPrefix;
    unsigned removed = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 10 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const long pid = std::strtol(digits.c_str(), nullptr, 10);
        if (pid <= 0 || pid > INT_MAX || pid == getpid() ||
            !processIsGone(static_cast<pid_t>(pid))) {
            continue;
        }
        const std::string journal = XPath::join(folder, name);
        std::string content;
        if (!readJournal(journal, content)) {
            continue;
        }
        std::size_t start = 0;
        while (start < content.size()) {
            std::size_t end = content.find('\0', start);
            if (end == std::string::npos) {
                end = content.size();
            }
            if (removeIfOurs(content.substr(start, end - start), static_cast<pid_t>(pid))) {
                ++removed;
            }
            start = end + 1;
        }
        unlink(journal.c_str());
    }
    closedir(dir);
    return removed;
}

void XOutputFile::RemoveAllOfThisProcess() {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (const std::string& path : r.live) {
        unlink(path.c_str());
    }
    r.live.clear();
}
