#include "VAFFmpegArchive.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "XFindProgram.h"
#include "XLineReader.h"
#include "XPath.h"
#include "XWorkerProcess.h"

namespace {

// Generous for an archive of a few hundred megabytes on a slow disk; a tar that takes
// longer is stuck.
constexpr uint32_t kTarGraceMs = 10 * 60 * 1000;

std::string absolute(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

bool insideTree(const std::string& top, const std::string& path) {
    return path == top || path.compare(0, top.size() + 1, top + "/") == 0;
}

// Runs tar to its end; its output's lines go to lines when given.
bool runTar(const XWorkerProcess::ArgList& args, XStrList* lines) {
    XWorkerProcess tar;
    if (!tar.Create(args, lines != nullptr ? XWorkerProcess::kPipeStdOut : 0)) {
        return false;
    }
    if (lines != nullptr) {
        XReadLines(tar.OutputFD(), [&](XStr& line) { lines->push_back(line); });
    }
    return tar.Stop(kTarGraceMs) == 0;
}

XStr findLink(const std::string& top, const std::string& relative) {
    const std::string folder = relative.empty() ? top : top + "/" + relative;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return XStr();
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    for (const std::string& name : names) {
        const std::string member = relative.empty() ? name : relative + "/" + name;
        const std::string path = top + "/" + member;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0) {
            continue;
        }
        if (S_ISLNK(st.st_mode)) {
            std::vector<char> target(static_cast<std::size_t>(PATH_MAX) + 1);
            const ssize_t n = readlink(path.c_str(), target.data(), target.size() - 1);
            const std::string to(target.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
            const XStr joined = XPath::lexicallyNormal(
                XPath::join(XStr(relative.empty() ? std::string(".") : relative), XStr(to)));
            if (n <= 0 || to.front() == '/' || joined == ".." || joined.startsWith("../")) {
                return XStr(member);
            }
        } else if (S_ISDIR(st.st_mode)) {
            const XStr found = findLink(top, member);
            if (!found.empty()) {
                return found;
            }
        }
    }
    return XStr();
}

}  // namespace

namespace VAFFmpegArchive {

XStr tarFlagsFor(const XStr& path) {
    if (path.endsWith(".tar.gz")) {
        return "xzf";
    }
    if (path.endsWith(".tar.bz2")) {
        return "xjf";
    }
    return XStr();
}

bool isSafeMemberName(const XStr& name) {
    if (name.empty() || name.front() == U'/') {
        return false;
    }
    for (const XStr& part : name.split(U'/')) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

bool unpack(const XStr& archive, const XStr& folder, XStr& why) {
    const XStr flags = tarFlagsFor(archive);
    const XStr tar = XFindProgram("tar");
    const std::string archivePath = absolute(archive.utf8());
    if (flags.empty() || tar.empty() || archivePath.empty()) {
        why = flags.empty()
                  ? "It is not a .tar.gz or .tar.bz2 archive"
                  : (tar.empty() ? "The program 'tar' is missing" : "The archive cannot be read");
        return false;
    }
    // "xjf" lists as "tjf".
    const XStr list = "-t" + flags.substr(1);
    XStrList names;
    if (!runTar({tar, list, XStr(archivePath)}, &names)) {
        why = "The archive cannot be read";
        return false;
    }
    for (const XStr& name : names) {
        if (!isSafeMemberName(name)) {
            why = "The archive has a member outside its folder: '" + name + "'";
            return false;
        }
    }
    // Owners and permission bits of the archive are not ours to take over. tar itself
    // never writes through a link it made; a member that tried makes it fail, and the link
    // is the better reason to give.
    const bool unpacked = runTar({tar, "-" + flags, XStr(archivePath), "-C", folder,
                                  "--no-same-owner", "--no-same-permissions"},
                                 nullptr);
    const XStr link = linkLeavingTree(folder);
    if (!link.empty()) {
        why = "The archive has a link that points outside its folder: '" + link + "'";
        return false;
    }
    if (!unpacked) {
        why = "The archive cannot be unpacked";
        return false;
    }
    return true;
}

XStr linkLeavingTree(const XStr& folder) {
    return findLink(XPath::withoutTrailingSlash(folder.utf8()), std::string());
}

XStr ffmpegIn(const XStr& folder) {
    const std::string top = absolute(XPath::withoutTrailingSlash(folder.utf8()));
    if (top.empty()) {
        return XStr();
    }
    for (const char* candidate : {"ffmpeg", "bin/ffmpeg"}) {
        const std::string path = absolute(top + "/" + candidate);
        struct stat st {};
        if (!path.empty() && insideTree(top, path) && stat(path.c_str(), &st) == 0 &&
            S_ISREG(st.st_mode)) {
            return XStr(path);
        }
    }
    return XStr();
}

}  // namespace VAFFmpegArchive
