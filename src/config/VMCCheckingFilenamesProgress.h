// The check before a conversion: every planned output's destination is computed once and
// tested against the disk, on a worker thread behind a small progress view. It works on a
// snapshot of the window's sources, probe records and profile taken when its view loads,
// and hands the result to its host on the main thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "VAConditionalEncoding.h"
#include "VAEncoderDesc.h"
#include "VAMediaFileInfo.h"
#include "VMCCheckFilenamesState.h"
#include "VMCConfig.h"
#include "VMCPreConvertEntry.h"
#include "clSignal.h"

class VMCCheckingFilenamesProgress;

// The converter window, as the check sees it. Every call comes on the main thread.
class VMCCheckingFilenamesHost {
public:
    virtual ~VMCCheckingFilenamesHost() = default;
    // The probe records gathered so far, at the positions of the conversion entries; null
    // where none is loaded yet.
    virtual std::vector<std::shared_ptr<const VAMediaFileInfo>> allInfosLoaded() const = 0;
    virtual const VMCConfig& config() const = 0;
    virtual std::vector<VMCPreConvertEntry> conversionEntries() const = 0;
    // The check is over; anyExists: some destination is there already.
    virtual void checkFileNamesDone(bool anyExists, VMCCheckingFilenamesProgress* invoker) = 0;
};

class VMCCheckingFilenamesProgress
    : public std::enable_shared_from_this<VMCCheckingFilenamesProgress> {
public:
    // The probe of a source whose record is not loaded; stopFD turns readable to end it.
    using Prober =
        std::function<std::shared_ptr<const VAMediaFileInfo>(const XStr& path, int stopFD)>;

    static constexpr const char* kNoOutputFile = "/tmp/no-output-file-specified.ignore";

    // What the check works on, taken once on the main thread.
    struct Snapshot {
        std::vector<std::shared_ptr<const VAMediaFileInfo>> infos;
        std::vector<VMCPreConvertEntry> entries;
        std::optional<VAEncoderDesc> encoder;
        VAEncoderArgs encoderArgs;
        VMCFileNaming naming;
        XStr dspString;
        // The multi encoder's entries when the active encoder is the multi encoder.
        std::optional<std::vector<std::shared_ptr<VMCMultiEncEntry>>> multiEntries;
        bool multiCPU = true;
        std::shared_ptr<const VAConditionalEncoding> conditional;
        bool needsMeta = false;
    };

    explicit VMCCheckingFilenamesProgress(VMCCheckingFilenamesHost* host);
    static std::shared_ptr<VMCCheckingFilenamesProgress> initWithHost(
        VMCCheckingFilenamesHost* host);
    // Stops the worker and waits for it; a result that was not delivered is dropped.
    ~VMCCheckingFilenamesProgress();
    VMCCheckingFilenamesProgress(const VMCCheckingFilenamesProgress&) = delete;
    VMCCheckingFilenamesProgress& operator=(const VMCCheckingFilenamesProgress&) = delete;

    // The shared probe cache, else a probe of its own.
    void setProber(Prober prober) { mProber = std::move(prober); }
    // Takes the snapshot and starts the worker, once.
    void viewDidLoad();
    // The user gave up waiting: the worker stops and the host is not told.
    void cancel();
    // How far the worker is: the checked sources planned so far, of all checked sources.
    std::size_t sourcesChecked() const { return mSourcesChecked; }
    std::size_t sourcesToCheck() const;
    bool needsMetaFromFiles() const { return mSnapshot.needsMeta; }
    bool isDone() const { return mDone; }
    bool anyExists() const { return mAnyExists; }
    // Complete once the host was told; the sheet and the conversion work from it.
    const std::shared_ptr<VMCCheckFilenamesState>& state() const { return mState; }
    const Snapshot& snapshot() const { return mSnapshot; }

    static Snapshot takeSnapshot(const VMCCheckingFilenamesHost& host);
    // The same for any profile of the configuration (the host's is the active one).
    static Snapshot snapshotOf(const VMCConfig& config, const VMCProfile& profile,
                               std::vector<VMCPreConvertEntry> entries,
                               std::vector<std::shared_ptr<const VAMediaFileInfo>> infos);
    static bool needsMetaFromFiles(const Snapshot& snapshot);
    // The check itself: fills the state and answers whether some destination exists.
    // Returns early, with a partial state, once stop is set. Counts the checked sources it
    // has planned in sourcesDone when given.
    static bool workerMain(const Snapshot& snapshot, VMCCheckFilenamesState& state,
                           const Prober& prober, const std::atomic<bool>& stop, int stopFD = -1,
                           std::atomic<std::size_t>* sourcesDone = nullptr);
    static Prober defaultProber();

private:
    void finished(bool anyExists);

    VMCCheckingFilenamesHost* mHost;
    Prober mProber;
    Snapshot mSnapshot;
    std::shared_ptr<VMCCheckFilenamesState> mState;
    std::unique_ptr<clSignal> mStopSignal;
    std::atomic<bool> mStop{false};
    std::atomic<std::size_t> mSourcesChecked{0};
    std::thread mWorker;
    bool mLoaded = false;
    bool mDone = false;
    bool mAnyExists = false;
};
