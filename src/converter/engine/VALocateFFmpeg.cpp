#include "VALocateFFmpeg.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <mutex>

#include "VAAppDataFolder.h"
#include "VAFFmpegCapabilities.h"
#include "VAResources.h"
#include "XFindProgram.h"
#include "XPath.h"

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

}  // namespace

XStr VALocateFFmpeg::internalTool(const char* name) {
    std::lock_guard<std::mutex> lock(gMutex);
    auto it = gInternal.find(name);
    if (it != gInternal.end()) {
        return it->second;
    }
    XStr found;
    const std::string folder = VAResources::programFolder();
    if (!folder.empty()) {
        const std::string shipped = XPath::join(folder, std::string("../libexec/vantaro/") + name);
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
    return XPath::join(VAAppDataFolder::path(), "ffmpeg");
}

bool VALocateFFmpeg::haveExternalFFmpeg() {
    return exists(pathToExternalFFmpeg());
}

XStr VALocateFFmpeg::pathToAutoMarker() {
    return pathToExternalFFmpeg() + ".auto";
}

bool VALocateFFmpeg::isAutoInstalled() {
    return exists(pathToAutoMarker());
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
