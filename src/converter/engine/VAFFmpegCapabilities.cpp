#include "VAFFmpegCapabilities.h"

#include <map>
#include <mutex>

#include "XLineReader.h"
#include "XWorkerProcess.h"

namespace {

std::mutex gMutex;
std::map<XStr, std::set<XStr>> gEncoders;

XStrList runAndReadLines(const XWorkerProcess::ArgList& args) {
    XStrList lines;
    XWorkerProcess process;
    if (!process.Create(args, XWorkerProcess::kPipeStdOut)) {
        return lines;
    }
    XReadLines(process.OutputFD(), [&](XStr& line) { lines.push_back(line); });
    process.Stop(XWorkerProcess::kDefaultGraceMs);
    return lines;
}

}  // namespace

std::set<XStr> VAFFmpegCapabilities::parseEncoderListing(const XStrList& lines) {
    std::set<XStr> names;
    bool inTable = false;
    for (const XStr& raw : lines) {
        const XStr line = raw.trimmed();
        // The legend above the table ends with a line of dashes.
        if (!inTable) {
            inTable = line.startsWith("---");
            continue;
        }
        const std::size_t blank = line.find(U' ');
        if (blank == XStr::npos || blank != 6) {
            continue;
        }
        const XStr rest = line.substr(blank).trimmed();
        const std::size_t end = rest.find(U' ');
        names.insert(end == XStr::npos ? rest : rest.left(end));
    }
    return names;
}

std::set<XStr> VAFFmpegCapabilities::encoders(const XStr& ffmpegPath) {
    std::lock_guard<std::mutex> lock(gMutex);
    auto it = gEncoders.find(ffmpegPath);
    if (it == gEncoders.end()) {
        const XStrList lines = runAndReadLines({ffmpegPath, "-hide_banner", "-encoders"});
        it = gEncoders.emplace(ffmpegPath, parseEncoderListing(lines)).first;
    }
    return it->second;
}

bool VAFFmpegCapabilities::listsEncoder(const XStr& ffmpegPath, const XStr& encoder) {
    return encoders(ffmpegPath).count(encoder) != 0;
}

void VAFFmpegCapabilities::resetCacheForTesting() {
    std::lock_guard<std::mutex> lock(gMutex);
    gEncoders.clear();
}
