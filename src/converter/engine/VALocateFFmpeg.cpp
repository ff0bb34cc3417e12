#include "VALocateFFmpeg.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <mutex>

#include "VAAppDataFolder.h"
#include "VAFFmpegCapabilities.h"
#include "XFindProgram.h"

namespace {

std::mutex gMutex;
std::map<std::string, XStr> gInternal;

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool exists(const XStr& path) {
    return access(path.utf8().c_str(), F_OK) == 0;
}

std::string programFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return {};
    }
    std::string exe(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

}  // namespace

XStr VALocateFFmpeg::internalTool(const char* name) {
    std::lock_guard<std::mutex> lock(gMutex);
    auto it = gInternal.find(name);
    if (it != gInternal.end()) {
        return it->second;
    }
    XStr found;
    const std::string folder = programFolder();
    if (!folder.empty()) {
        const std::string shipped = folder + "/../libexec/vantaro/" + name;
        char resolved[PATH_MAX];
        if (isExecutableFile(shipped) && realpath(shipped.c_str(), resolved) != nullptr) {
            found = XStr(resolved);
        }
    }
    if (found.empty()) {
        found = XFindProgram(name);
    }
    if (found.empty()) {
        // Nothing found: the run then reports that FFmpeg could not be started.
        found = XStr(name);
    }
    gInternal.emplace(name, found);
    return found;
}

XStr VALocateFFmpeg::pathToExternalFFmpeg() {
    return VAAppDataFolder::join(VAAppDataFolder::path(), "ffmpeg");
}

bool VALocateFFmpeg::haveExternalFFmpeg() {
    return exists(pathToExternalFFmpeg());
}

bool VALocateFFmpeg::isAutoInstalled() {
    return exists(pathToExternalFFmpeg() + ".auto");
}

XStr VALocateFFmpeg::locateFFmpeg() {
    const XStr external = pathToExternalFFmpeg();
    return exists(external) ? external : internalTool("ffmpeg");
}

XStr VALocateFFmpeg::locateFFprobe() {
    return internalTool("ffprobe");
}

bool VALocateFFmpeg::gplEncodersOffered() {
    return haveExternalFFmpeg() || VAFFmpegCapabilities::listsEncoder(locateFFmpeg(), "libx264");
}

void VALocateFFmpeg::resetCachesForTesting() {
    {
        std::lock_guard<std::mutex> lock(gMutex);
        gInternal.clear();
    }
    VAFFmpegCapabilities::resetCacheForTesting();
}
