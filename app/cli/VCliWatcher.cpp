#include "VCliWatcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "VADisplayText.h"
#include "VCliConvertCommand.h"
#include "VCliJson.h"
#include "VCliJsonObject.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VCliWatchCommand.h"
#include "XClock.h"
#include "XPath.h"
#include "clFolderLister.h"

namespace {

std::optional<VCliWatchJournal::Identity> identityOf(const XStr& path) {
    struct stat st {};
    if (stat(path.utf8().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return VCliWatchJournal::Identity{st.st_size,
                                      int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The test's hold: the reader waits while the file exists (two minutes at most).
std::function<void()> testHold() {
    const char* hold = std::getenv(VCliWatchCommand::kTestHoldVariable);
    if (hold == nullptr || *hold == '\0') {
        return nullptr;
    }
    return [file = std::string(hold)] {
        if (access(file.c_str(), F_OK) != 0) {
            return;
        }
        // Tells the test that the reader is held now.
        const int held = open((file + ".held").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (held >= 0) {
            close(held);
        }
        const uint32_t start = XClock::nowMs();
        while (access(file.c_str(), F_OK) == 0 && XClock::elapsedMs(start) < 120000) {
            XClock::sleepMs(20);
        }
    };
}

}  // namespace

VCliWatcher::VCliWatcher(Options options, std::ostream& out, std::ostream& err)
    : mOptions(std::move(options)),
      mOut(out),
      mErr(err),
      mFormats(VAMediaFormatFilter::allFormats()),
      mWake(clSignal::create()) {}

VCliWatcher::~VCliWatcher() {
    mStream.reset();
}

void VCliWatcher::stop() {
    mStop = true;
    if (mWake) {
        mWake->setState(true);
    }
}

void VCliWatcher::say(const std::string& line, bool toErr) {
    if (mOptions.convert.json) {
        mOut << VCliJsonObject().add("event", "note").add("line", line).str() << '\n';
        mOut.flush();
        return;
    }
    if (toErr) {
        VCliUsage::error(mErr, line);
    } else {
        mOut << VADisplayText::linesUtf8(line) << '\n';
        mOut.flush();
    }
}

bool VCliWatcher::isWatchable(const XStr& path) const {
    const XStr name = XPath::fileName(path);
    return !name.startsWith(".") && mFormats->isMediaFile(name) && !mJournal.isOutput(path);
}

void VCliWatcher::consider(const XStr& path, VAFolderEventStream::Writing writing) {
    if (!isWatchable(path)) {
        return;
    }
    Candidate& c = mCandidates[path];
    // Any news starts the wait for stillness again.
    c.size = -1;
    c.modifiedNs = -1;
    if (writing == VAFolderEventStream::Writing::kOpen) {
        c.writing = true;
    } else if (writing == VAFolderEventStream::Writing::kClosed) {
        c.writing = false;
    }
}

void VCliWatcher::scanFolder(const XStr& folder, bool recursive) {
    const clFolderListing listing = clFolderLister::list(
        folder, [this](const XStr& name) { return mFormats->isMediaFile(name); });
    for (const clFolderItem& item : listing.items) {
        if (item.isDirectory) {
            if (recursive) {
                scanFolder(item.url, true);
            }
            continue;
        }
        if (!mCandidates.contains(item.url)) {
            consider(item.url, VAFolderEventStream::Writing::kUnknown);
        }
    }
}

void VCliWatcher::scanAll() {
    for (const XStr& folder : mOptions.folders) {
        scanFolder(folder, mOptions.recursive);
    }
}

void VCliWatcher::takeEvents() {
    std::deque<VAFolderEventStream::Batch> batches;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        batches.swap(mBatches);
    }
    bool rescan = false;
    for (const VAFolderEventStream::Batch& batch : batches) {
        for (const XStr& folder : batch.vanished) {
            say("The folder " + VCliText::quoted(folder) +
                    " is gone; its files are converted when it is back",
                true);
        }
        for (const XStr& folder : batch.reappeared) {
            say("The folder " + VCliText::quoted(folder) + " is back", true);
            scanFolder(folder, mOptions.recursive);
        }
        if (batch.overflow) {
            rescan = true;
        }
        for (const VAFolderEventStream::Change& change : batch.changes) {
            if (change.removed) {
                mCandidates.erase(change.path);
            } else if (change.isFolder) {
                if (mOptions.recursive) {
                    scanFolder(change.path, true);
                }
            } else {
                consider(change.path, change.writing);
            }
        }
    }
    if (rescan) {
        say("Folder events were lost (too many at once); looking at every file again", true);
        scanAll();
    }
}

XStrList VCliWatcher::readyFiles() {
    XStrList ready;
    const uint32_t now = XClock::nowMs();
    for (auto it = mCandidates.begin(); it != mCandidates.end();) {
        const std::optional<VCliWatchJournal::Identity> id = identityOf(it->first);
        Candidate& c = it->second;
        if (!id || mJournal.done(it->first, *id)) {
            it = mCandidates.erase(it);
            continue;
        }
        if (id->size != c.size || id->modifiedNs != c.modifiedNs) {
            c.size = id->size;
            c.modifiedNs = id->modifiedNs;
            c.stableSince = now;
            ++it;
            continue;
        }
        const uint32_t still = now - c.stableSince;
        const bool complete =
            still >= mOptions.settleMs && (!c.writing || still >= mOptions.openWriterMs);
        if (complete && id->size > 0) {
            ready.push_back(it->first);
            mReady[it->first] = *id;
            it = mCandidates.erase(it);
            continue;
        }
        ++it;
    }
    return ready;
}

bool VCliWatcher::convert(const XStrList& files) {
    VCliConvertOptions options = mOptions.convert;
    options.files = files;
    VCliConvertCommand::Outcome outcome;
    // Outputs are known as outputs before they can appear.
    outcome.beforeRun = [this, &outcome](const VAConversionSpec& spec) {
        for (const XStr& destination : outcome.destinations) {
            mJournal.addOutput(destination);
        }
        for (const VAConversionEntry& entry : spec.entries) {
            mJournal.addOutput(entry.urlTo);
        }
        mJournal.flush();
    };
    const int status =
        VCliConvertCommand::runWithOptions(options, mOut, mErr, mOptions.outIsTerminal, &outcome);
    const bool interrupted = status >= 128;
    for (const XStr& destination : outcome.destinations) {
        mJournal.addOutput(destination);
    }
    // A source counts as converted when every job of it put its output in place.
    std::map<XStr, bool> converted;
    if (outcome.spec) {
        for (std::size_t i = 0; i < outcome.spec->entries.size(); ++i) {
            const VAConversionEntry& entry = outcome.spec->entries[i];
            mJournal.addOutput(entry.urlTo);
            const XStr source = entry.convertFrom ? entry.convertFrom->urlPerceived : XStr();
            const bool ok = i < outcome.succeeded.size() && outcome.succeeded[i];
            auto [it, added] = converted.emplace(source, ok);
            if (!added) {
                it->second = it->second && ok;
            }
        }
    }
    for (const XStr& file : files) {
        const auto it = converted.find(file);
        const bool ok = it != converted.end() && it->second;
        // Stopped or unplanned sources are tried again; failed and skipped ones are not.
        if (ok || (!interrupted && status != VCliUsage::kUsageError)) {
            mJournal.addSource(file, mReady[file], ok);
        }
        mReady.erase(file);
    }
    if (!mJournal.flush()) {
        say("Cannot write the journal " + VCliText::quoted(mJournal.path()), true);
    }
    return !interrupted;
}

uint32_t VCliWatcher::waitMs() const {
    return mCandidates.empty() ? clSignal::kInfinite : 200;
}

int VCliWatcher::run() {
    std::string error;
    if (!mWake) {
        VCliUsage::error(mErr, "Cannot wait for folder events");
        return 1;
    }
    if (!mJournal.open(mOptions.folders, error)) {
        VCliUsage::error(mErr, error);
        return 1;
    }
    VAFolderEventStream::Options streamOptions;
    streamOptions.recursive = mOptions.recursive;
    streamOptions.latencyMs = 200;
    streamOptions.beforeRead = testHold();
    mStream = std::make_unique<VAFolderEventStream>(
        mOptions.folders, streamOptions, [this](const VAFolderEventStream::Batch& batch) {
            {
                const std::lock_guard<std::mutex> lock(mMutex);
                mBatches.push_back(batch);
            }
            mWake->setState(true);
        });
    if (!mStream->start()) {
        VCliUsage::error(mErr, mStream->problem().utf8());
        return 1;
    }
    if (!mStream->problem().empty()) {
        say(mStream->problem().utf8(), true);
    }
    // Files that arrived while nobody watched.
    scanAll();
    if (mOptions.convert.json) {
        std::string folders = "[";
        for (const XStr& folder : mOptions.folders) {
            folders += (folders.size() > 1 ? "," : "") + VCliJson::quote(folder.utf8());
        }
        mOut << VCliJsonObject().add("event", "watching").addRaw("folders", folders + "]").str()
             << '\n';
        mOut.flush();
    } else {
        std::string names;
        for (const XStr& folder : mOptions.folders) {
            names += (names.empty() ? "" : ", ") + VCliText::quoted(folder);
        }
        say("Watching " + names + " (Ctrl-C stops)", false);
    }

    while (!mStop) {
        mWake->wait(waitMs());
        mWake->setState(false);
        if (mStop) {
            break;
        }
        takeEvents();
        const XStrList ready = readyFiles();
        if (!ready.empty() && !convert(ready)) {
            break;
        }
    }
    mStream->stop();
    if (mOptions.convert.json) {
        mOut << VCliJsonObject().add("event", "stopped").str() << '\n';
        mOut.flush();
    } else {
        say("Stopped watching", false);
    }
    return 0;
}
