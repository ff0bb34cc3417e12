#include "VAFFmpegCapabilities.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>

#include <map>
#include <mutex>
#include <string>

#include "VAAppDataFolder.h"
#include "VAFFmpegRecordFile.h"
#include "XLineReader.h"
#include "XPath.h"
#include "XWorkerProcess.h"

namespace {

// One executable as the program finds it now. Without a stat (a bare name nothing was
// found for) what is learned stays in memory only.
struct Identity {
    XStr path;
    std::optional<VAFileStat> stat;
};

struct Entry {
    VAFFmpegRecord record;
    // False for a listing from a run that failed: it serves this process only.
    bool encodersKept = true;
};

std::mutex gMutex;
// By resolved path; an entry holds for the version of the file its stat describes.
std::map<XStr, Entry> gEntries;
// Trials take seconds; the records stay readable meanwhile.
std::mutex gTrialMutex;
// Writes happen outside gMutex, one at a time.
std::mutex gSaveMutex;

Identity identify(const XStr& ffmpegPath) {
    Identity id{ffmpegPath, std::nullopt};
    char resolved[PATH_MAX];
    if (realpath(ffmpegPath.utf8().c_str(), resolved) != nullptr) {
        id.path = XStr(resolved);
        id.stat = VAFileStat::of(id.path);
    }
    return id;
}

// What is known of this version of the executable: in memory, else on disk, else nothing
// yet.
Entry& entryLocked(const Identity& id) {
    auto it = gEntries.find(id.path);
    if (it != gEntries.end() && (!id.stat || it->second.record.describes(id.path, *id.stat))) {
        return it->second;
    }
    VAFFmpegRecord fresh;
    fresh.path = id.path;
    if (id.stat) {
        fresh.stat = *id.stat;
        const XStr file = VAFFmpegCapabilities::recordFilePath();
        if (!file.empty()) {
            for (VAFFmpegRecord& r : VAFFmpegRecordFile::read(file)) {
                if (r.describes(id.path, *id.stat)) {
                    fresh = std::move(r);
                    break;
                }
            }
        }
    }
    return gEntries.insert_or_assign(id.path, Entry{std::move(fresh), true}).first->second;
}

// What of the entry may outlive the process; nothing for an executable without a stat.
std::optional<VAFFmpegRecord> keptLocked(const Identity& id, const Entry& entry) {
    if (!id.stat) {
        return std::nullopt;
    }
    VAFFmpegRecord record = entry.record;
    if (!entry.encodersKept) {
        record.encoders.reset();
    }
    return record;
}

void save(const std::optional<VAFFmpegRecord>& record) {
    const XStr file = VAFFmpegCapabilities::recordFilePath();
    if (!record || file.empty()) {
        return;
    }
    std::lock_guard<std::mutex> lock(gSaveMutex);
    // A cache that cannot be written costs the next run a question, nothing else.
    VAFFmpegRecordFile::store(file, *record);
}

struct Listing {
    std::set<XStr> names;
    // FFmpeg ran, ended well and listed something: only such an answer outlives the process.
    bool sound = false;
};

Listing askForEncoders(const XStr& ffmpegPath) {
    Listing listing;
    XWorkerProcess process;
    if (!process.Create({ffmpegPath, "-hide_banner", "-encoders"}, XWorkerProcess::kPipeStdOut)) {
        return listing;
    }
    XStrList lines;
    XReadLines(process.OutputFD(), [&](XStr& line) { lines.push_back(line); });
    const bool ended = process.Stop(XWorkerProcess::kDefaultGraceMs) == 0;
    listing.names = VAFFmpegCapabilities::parseEncoderListing(lines);
    listing.sound = ended && !listing.names.empty();
    return listing;
}

// The sorted names in the folder that start with the prefix, each followed by ";".
std::string deviceNames(const char* folder, const std::string& prefix) {
    std::set<std::string> names;
    if (DIR* dir = opendir(folder)) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name.compare(0, prefix.size(), prefix) == 0) {
                names.insert(name);
            }
        }
        closedir(dir);
    }
    std::string text;
    for (const std::string& name : names) {
        text += name + ";";
    }
    return text;
}

}  // namespace

std::function<XStr()>& VAFFmpegCapabilities::deviceFingerprint() {
    static std::function<XStr()> fingerprint = [] {
        return XStr("dri:" + deviceNames("/dev/dri", "") + " dev:" + deviceNames("/dev", "nvidia"));
    };
    return fingerprint;
}

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
    const Identity id = identify(ffmpegPath);
    std::unique_lock<std::mutex> lock(gMutex);
    Entry& entry = entryLocked(id);
    if (entry.record.encoders) {
        return *entry.record.encoders;
    }
    Listing listing = askForEncoders(ffmpegPath);
    // Whatever a failed run listed holds for this process, as it always did; the next one
    // asks again.
    entry.record.encoders = listing.names;
    entry.encodersKept = listing.sound;
    const std::optional<VAFFmpegRecord> kept = listing.sound ? keptLocked(id, entry) : std::nullopt;
    lock.unlock();
    save(kept);
    return listing.names;
}

bool VAFFmpegCapabilities::listsEncoder(const XStr& ffmpegPath, const XStr& encoder) {
    return encoders(ffmpegPath).count(encoder) != 0;
}

bool VAFFmpegCapabilities::trialVerdict(const XStr& ffmpegPath, const XStr& encoder,
                                        const std::function<bool()>& trial) {
    std::lock_guard<std::mutex> trialLock(gTrialMutex);
    const Identity id = identify(ffmpegPath);
    const XStr devices = deviceFingerprint()();
    {
        std::lock_guard<std::mutex> lock(gMutex);
        const VAFFmpegRecord& record = entryLocked(id).record;
        auto it = record.trials.find(encoder);
        if (record.trialDevices == devices && it != record.trials.end()) {
            return it->second;
        }
    }
    const bool ok = trial();
    std::optional<VAFFmpegRecord> kept;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        Entry& entry = entryLocked(id);
        VAFFmpegRecord& record = entry.record;
        if (record.trialDevices != devices) {
            record.trials.clear();
            record.trialDevices = devices;
        }
        record.trials[encoder] = ok;
        kept = keptLocked(id, entry);
    }
    save(kept);
    return ok;
}

XStr VAFFmpegCapabilities::recordFilePath() {
    if (VAAppDataFolder::appName().empty()) {
        return {};
    }
    return XPath::join(VAAppDataFolder::path(), XStr(VAFFmpegRecordFile::kFileName));
}

void VAFFmpegCapabilities::resetCacheForTesting() {
    std::lock_guard<std::mutex> lock(gMutex);
    gEntries.clear();
}
