#include "VAFolderEventStream.h"

#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "XClock.h"
#include "XFile.h"
#include "XPath.h"
#include "clSignal.h"

namespace {

constexpr uint32_t kFolderMask = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM |
                                 IN_MOVED_TO | IN_DELETE | IN_ATTRIB | IN_DELETE_SELF |
                                 IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

struct VAFolderEventStream::Impl {
    std::vector<std::string> roots;
    Options options;
    Callback callback;
    std::unique_ptr<clSignal> stopSignal;
    int fd = -1;

    std::unordered_map<int, std::string> wdPath;
    std::map<std::string, int> pathWd;
    std::vector<int> rootWd;
    uint32_t lastMissingPoll = 0;

    Batch pending;
    std::unordered_map<std::string, std::size_t> pendingIndex;
    bool havePending = false;
    uint32_t pendingSince = 0;

    mutable std::mutex problemMutex;
    XStr problem;

    void setProblem(const XStr& text) {
        const std::lock_guard<std::mutex> lock(problemMutex);
        problem = text;
    }

    void touchPending() {
        if (!havePending) {
            havePending = true;
            pendingSince = XClock::nowMs();
        }
    }

    Change& changeFor(const std::string& path, bool folder) {
        touchPending();
        auto [it, added] = pendingIndex.emplace(path, pending.changes.size());
        if (added) {
            Change c;
            c.path = XStr(path);
            c.isFolder = folder;
            pending.changes.push_back(std::move(c));
        }
        return pending.changes[it->second];
    }

    int addWatch(const std::string& path) {
        const int wd = inotify_add_watch(fd, path.c_str(), kFolderMask);
        if (wd < 0) {
            if (errno == ENOSPC) {
                setProblem(
                    "Too many folders to watch: raise fs.inotify.max_user_watches to watch them "
                    "all");
            }
            return -1;
        }
        // The same folder under two names keeps the first.
        if (wdPath.emplace(wd, path).second) {
            pathWd[path] = wd;
        }
        return wd;
    }

    // Watches the folder and, for a recursive stream, every folder below it that is not
    // hidden; with report, every item found is reported, since it may have arrived before
    // its folder was watched.
    void addTree(const std::string& path, bool report) {
        if (addWatch(path) < 0 || !options.recursive) {
            return;
        }
        DIR* dir = opendir(path.c_str());
        if (dir == nullptr) {
            return;
        }
        std::vector<std::string> folders;
        while (const dirent* e = readdir(dir)) {
            const std::string name = e->d_name;
            if (name.empty() || name[0] == '.') {
                continue;
            }
            const std::string child = XPath::join(path, name);
            bool folder = e->d_type == DT_DIR;
            if (e->d_type == DT_UNKNOWN) {
                struct stat st {};
                folder = lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            }
            if (folder) {
                folders.push_back(child);
            }
            if (report) {
                changeFor(child, folder);
            }
        }
        closedir(dir);
        for (const std::string& folder : folders) {
            addTree(folder, report);
        }
    }

    // Forgets the watches of a folder and everything below it.
    void dropTree(const std::string& path) {
        const std::string prefix = path + "/";
        for (auto it = pathWd.lower_bound(path); it != pathWd.end();) {
            if (it->first != path && it->first.compare(0, prefix.size(), prefix) != 0) {
                break;
            }
            inotify_rm_watch(fd, it->second);
            wdPath.erase(it->second);
            it = pathWd.erase(it);
        }
    }

    int rootIndexOf(int wd) const {
        for (std::size_t i = 0; i < rootWd.size(); ++i) {
            if (rootWd[i] == wd) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    void rootGone(std::size_t i) {
        dropTree(roots[i]);
        rootWd[i] = -1;
        touchPending();
        pending.vanished.push_back(XStr(roots[i]));
    }

    bool anyMissing() const {
        for (int wd : rootWd) {
            if (wd < 0) {
                return true;
            }
        }
        return false;
    }

    void pollMissing() {
        lastMissingPoll = XClock::nowMs();
        for (std::size_t i = 0; i < roots.size(); ++i) {
            if (rootWd[i] >= 0 || !isFolder(roots[i])) {
                continue;
            }
            rootWd[i] = addWatch(roots[i]);
            if (rootWd[i] >= 0) {
                addTree(roots[i], false);
                touchPending();
                pending.reappeared.push_back(XStr(roots[i]));
            }
        }
    }

    void handle(const inotify_event& ev) {
        if ((ev.mask & IN_Q_OVERFLOW) != 0) {
            touchPending();
            pending.overflow = true;
            // Folders made while events were lost are watched now.
            if (options.recursive) {
                for (std::size_t i = 0; i < roots.size(); ++i) {
                    if (rootWd[i] >= 0) {
                        addTree(roots[i], false);
                    }
                }
            }
            return;
        }
        const auto found = wdPath.find(ev.wd);
        if (found == wdPath.end()) {
            return;
        }
        const std::string folder = found->second;
        if ((ev.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) != 0) {
            const int root = rootIndexOf(ev.wd);
            if (root >= 0) {
                rootGone(static_cast<std::size_t>(root));
            } else if ((ev.mask & IN_IGNORED) != 0) {
                pathWd.erase(folder);
                wdPath.erase(ev.wd);
            }
            return;
        }
        if (ev.len == 0 || ev.name[0] == '\0') {
            return;
        }
        const std::string path = XPath::join(folder, std::string(ev.name));
        const bool dir = (ev.mask & IN_ISDIR) != 0;
        if (dir && options.recursive) {
            if ((ev.mask & (IN_MOVED_FROM | IN_DELETE)) != 0) {
                dropTree(path);
            }
            if ((ev.mask & (IN_CREATE | IN_MOVED_TO)) != 0 && ev.name[0] != '.') {
                addTree(path, true);
            }
        }
        Change& change = changeFor(path, dir);
        change.isFolder = dir;
        if ((ev.mask & (IN_DELETE | IN_MOVED_FROM)) != 0) {
            change.removed = true;
            change.writing = Writing::kClosed;
        }
        if ((ev.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
            change.removed = false;
        }
        if (!dir && (ev.mask & (IN_CREATE | IN_MODIFY)) != 0) {
            change.writing = Writing::kOpen;
        }
        if ((ev.mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) != 0) {
            change.writing = Writing::kClosed;
        }
    }

    void readEvents() {
        if (options.beforeRead) {
            options.beforeRead();
        }
        alignas(inotify_event) char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                return;
            }
            for (ssize_t at = 0; at < n;) {
                const auto* ev = reinterpret_cast<const inotify_event*>(buffer + at);
                handle(*ev);
                at += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            }
        }
    }

    void deliver() {
        Batch batch = std::move(pending);
        pending = Batch();
        pendingIndex.clear();
        havePending = false;
        if (!batch.empty()) {
            callback(batch);
        }
    }

    void run() {
        for (;;) {
            int timeout = -1;
            if (havePending) {
                const uint32_t waited = XClock::elapsedMs(pendingSince);
                timeout = waited >= options.latencyMs ? 0 : int(options.latencyMs - waited);
            }
            if (anyMissing()) {
                const uint32_t since = XClock::elapsedMs(lastMissingPoll);
                const int poll = since >= options.missingPollMs
                                     ? 0
                                     : static_cast<int>(options.missingPollMs - since);
                timeout = timeout < 0 ? poll : std::min(timeout, poll);
            }
            pollfd fds[2] = {{fd, POLLIN, 0}, {stopSignal->waitHandle(), POLLIN, 0}};
            const int ready = ::poll(fds, 2, timeout);
            if (ready < 0 && errno != EINTR) {
                return;
            }
            if (stopSignal->state()) {
                return;
            }
            if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
                readEvents();
            }
            if (anyMissing() && XClock::elapsedMs(lastMissingPoll) >= options.missingPollMs) {
                pollMissing();
            }
            if (havePending && XClock::elapsedMs(pendingSince) >= options.latencyMs) {
                deliver();
            }
        }
    }
};

VAFolderEventStream::VAFolderEventStream(XStrList folders, Options options, Callback callback)
    : mImpl(std::make_shared<Impl>()) {
    for (const XStr& folder : folders) {
        mImpl->roots.push_back(XPath::withoutTrailingSlash(folder.utf8()));
    }
    mImpl->options = std::move(options);
    mImpl->callback = std::move(callback);
}

VAFolderEventStream::~VAFolderEventStream() {
    stop();
}

bool VAFolderEventStream::start() {
    stop();
    Impl& impl = *mImpl;
    impl.stopSignal = clSignal::create();
    impl.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (!impl.stopSignal || impl.fd < 0) {
        impl.setProblem("Folder changes cannot be watched: " + XErrnoText(errno));
        if (impl.fd >= 0) {
            close(impl.fd);
            impl.fd = -1;
        }
        return false;
    }
    impl.wdPath.clear();
    impl.pathWd.clear();
    impl.rootWd.assign(impl.roots.size(), -1);
    impl.pending = Batch();
    impl.pendingIndex.clear();
    impl.havePending = false;
    for (std::size_t i = 0; i < impl.roots.size(); ++i) {
        impl.rootWd[i] = impl.addWatch(impl.roots[i]);
        if (impl.rootWd[i] >= 0) {
            impl.addTree(impl.roots[i], false);
        }
    }
    impl.lastMissingPoll = XClock::nowMs();
    mThread = std::thread([impl = mImpl] { impl->run(); });
    return true;
}

void VAFolderEventStream::stop() {
    if (!mThread.joinable()) {
        return;
    }
    mImpl->stopSignal->setState(true);
    mThread.join();
    close(mImpl->fd);
    mImpl->fd = -1;
}

XStr VAFolderEventStream::problem() const {
    const std::lock_guard<std::mutex> lock(mImpl->problemMutex);
    return mImpl->problem;
}
