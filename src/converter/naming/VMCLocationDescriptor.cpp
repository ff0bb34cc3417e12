#include "VMCLocationDescriptor.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "VAUserFolders.h"
#include "VMCFriendlyPath.h"
#include "XClock.h"
#include "XDebugLog.h"
#include "XFile.h"
#include "XPath.h"

namespace {

uint32_t (*gClock)() = XClock::nowMs;

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Whether CreateFolderPath could make the folder: the nearest folder that exists takes new
// entries, and nothing on the way is a mount point.
bool canBeMade(const XStr& folder) {
    XStr at = XPath::lexicallyNormal(folder);
    while (!isFolder(at.utf8())) {
        struct stat st {};
        if (lstat(at.utf8().c_str(), &st) == 0 || XPath::isNeverCreated(at) || at == "/" ||
            at == ".") {
            return false;
        }
        at = XPath::folderOf(at);
    }
    return access(at.utf8().c_str(), W_OK | X_OK) == 0;
}

// Makes a file in the folder and removes it again. A file of that name that is there
// already is never touched: a name of our own is used instead.
bool writeProbe(const XStr& folder, XStr* why) {
    std::string probe =
        XPath::join(folder.utf8(), std::string(VMCLocationDescriptor::kWriteProbeName));
    int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) {
        probe += "-XXXXXX";
        fd = mkostemp(probe.data(), O_CLOEXEC);
    }
    if (fd < 0) {
        if (why != nullptr) {
            *why = XStr("no file can be made in it: ") + strerror(errno);
        }
        return false;
    }
    close(fd);
    unlink(probe.c_str());
    return true;
}

}  // namespace

void VMCLocationDescriptor::setClockForTesting(uint32_t (*clock)()) {
    gClock = clock != nullptr ? clock : XClock::nowMs;
}

VMCLocationDescriptor VMCLocationDescriptor::withURL(const XStr& folder) {
    VMCLocationDescriptor d;
    d.mURL = folder.empty() ? XStr() : XPath::lexicallyNormal(folder);
    return d;
}

VMCLocationDescriptor VMCLocationDescriptor::withFolderPath(const XStr& path) {
    return withURL(path);
}

VMCLocationDescriptor VMCLocationDescriptor::root() {
    return withURL("/");
}

VMCLocationDescriptor VMCLocationDescriptor::withDefaultFolder() {
    return withURL(VAUserFolders::videosFolder());
}

VMCLocationDescriptor VMCLocationDescriptor::withBookmark(const std::vector<uint8_t>& bookmark,
                                                          const XStr& friendlyName,
                                                          const XStr& lastKnownURL) {
    VMCLocationDescriptor d = withURL(lastKnownURL);
    d.mBookmark = bookmark;
    d.mFriendlyName = friendlyName;
    return d;
}

bool VMCLocationDescriptor::resolveWithOptions(unsigned /*options*/) {
    if (mResolved) {
        return true;
    }
    if (mFailed && gClock() - mFailureTime < kRetryMs) {
        return false;
    }
    // A plain path needs no mounting: what counts is whether the folder is usable.
    if (!mURL.empty() && (isFolder(mURL.utf8()) || canBeMade(mURL))) {
        mResolved = true;
        mFailed = false;
        return true;
    }
    mFailed = true;
    mFailureTime = gClock();
    if (XDebugLog::enabled()) {
        std::cerr << "URL resolve failure!\n";
    }
    return false;
}

bool VMCLocationDescriptor::prepareFolder(XStr* why) {
    if (mURL.empty()) {
        if (why != nullptr) {
            *why = "no folder is set";
        }
        return false;
    }
    if (!XFile::CreateFolderPath(mURL)) {
        if (why != nullptr) {
            const XStr volume = XPath::volumeOf(mURL);
            *why = errno == ENOENT && !volume.empty() && !isFolder(volume.utf8())
                       ? "the volume '" + volume + "' is not mounted"
                       : XStr(strerror(errno));
        }
        return false;
    }
    return writeProbe(mURL, why);
}

bool VMCLocationDescriptor::sanity() {
    return resolveAndMount() && isFolder(mURL.utf8()) && access(mURL.utf8().c_str(), R_OK) == 0;
}

bool VMCLocationDescriptor::canStoreAsURL() const {
    return XPath::volumeOf(mURL).empty();
}

XStr VMCLocationDescriptor::friendlyName() const {
    if (!mFriendlyName.empty() || mURL.empty()) {
        return mFriendlyName;
    }
    return VMCFriendlyPath::friendlyFolderName(mURL);
}

bool VMCLocationDescriptor::isEqualTo(const VMCLocationDescriptor& other) const {
    if (!mURL.empty() && mURL == other.mURL) {
        return true;
    }
    return !mBookmark.empty() && mBookmark == other.mBookmark;
}
