// The loop of "vantaro watch": folder events become candidates; a candidate that has
// stopped growing (and whose writer closed it, when the events told of one) is converted;
// the journal is written before and after each conversion.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>

#include "VAFolderEventStream.h"
#include "VAMediaFormatFilter.h"
#include "VCliConvertOptions.h"
#include "VCliWatchJournal.h"
#include "clSignal.h"

class VCliWatcher {
public:
    struct Options {
        // Absolute paths of existing folders.
        XStrList folders;
        bool recursive = false;
        // How long a file's size and time must stay the same before it counts as complete.
        uint32_t settleMs = 2000;
        // A file reported open for writing is waited for this long at most after it stopped
        // changing (a writer that never closes).
        uint32_t openWriterMs = 60000;
        VCliConvertOptions convert;
        bool outIsTerminal = false;
    };

    VCliWatcher(Options options, std::ostream& out, std::ostream& err);
    ~VCliWatcher();

    // Watches until stopped; answers the exit status.
    int run();
    // From any thread: ends the watching at the next chance.
    void stop();

private:
    struct Candidate {
        int64_t size = -1;
        int64_t modifiedNs = -1;
        uint32_t stableSince = 0;
        bool writing = false;
    };

    void say(const std::string& line, bool toErr);
    void scanAll();
    void scanFolder(const XStr& folder, bool recursive);
    bool isWatchable(const XStr& path) const;
    void consider(const XStr& path, VAFolderEventStream::Writing writing);
    void takeEvents();
    XStrList readyFiles();
    // False when the conversion was stopped by a signal.
    bool convert(const XStrList& files);
    uint32_t waitMs() const;

    Options mOptions;
    std::ostream& mOut;
    std::ostream& mErr;
    std::shared_ptr<const VAMediaFormatFilter> mFormats;
    VCliWatchJournal mJournal;
    std::unique_ptr<clSignal> mWake;
    std::atomic<bool> mStop{false};
    std::mutex mMutex;
    std::deque<VAFolderEventStream::Batch> mBatches;
    std::map<XStr, Candidate> mCandidates;
    std::map<XStr, VCliWatchJournal::Identity> mReady;
    std::unique_ptr<VAFolderEventStream> mStream;
};
