#include "VMCCheckingFilenamesProgress.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "VADSPList.h"
#include "VAFileStat.h"
#include "VAProbeCache.h"
#include "VMCMultiEncConfig.h"
#include "XMainThread.h"

namespace {

// One encoder every source is converted with, prepared once for all sources.
struct Output {
    std::shared_ptr<VMCMultiEncEntry> multi;
    VAEncoderDesc encoder;
    VMCFileNaming naming;
    XStr extension;
};

XStr extensionFor(const VAEncoderDesc& encoder, const VAEncoderArgs& args) {
    XStr ext = args.customFormatExt.empty() ? encoder.formatExtension : args.customFormatExt;
    // An encoder without any extension writes names without one, not names ending in ".".
    if (!ext.empty() && !ext.startsWith(".")) {
        ext = "." + ext;
    }
    return ext;
}

std::vector<Output> outputsOf(const VMCCheckingFilenamesProgress::Snapshot& snapshot) {
    std::vector<Output> outputs;
    if (snapshot.multiEntries) {
        for (const std::shared_ptr<VMCMultiEncEntry>& entry : *snapshot.multiEntries) {
            Output out{entry, entry->encoder, *entry->fileNaming,
                       extensionFor(entry->encoder, entry->encoderArgsV2)};
            if (out.naming.isUseParentConfig()) {
                VMCFileNaming parent = snapshot.naming;
                parent.setEncoderName(entry->fileNaming->encoderName());
                parent.setEncoderExtra(entry->fileNaming->encoderExtra());
                out.naming = parent;
            }
            outputs.push_back(std::move(out));
        }
    } else if (snapshot.encoder) {
        outputs.push_back(Output{nullptr, *snapshot.encoder, snapshot.naming,
                                 extensionFor(*snapshot.encoder, snapshot.encoderArgs)});
    }
    return outputs;
}

bool exists(const XStr& path) {
    struct stat st {};
    return lstat(path.utf8().c_str(), &st) == 0;
}

uint64_t fileSizeBytes(const std::shared_ptr<VAConvertSource>& source) {
    if (!source) {
        return 0;
    }
    const std::optional<VAFileStat> stat = VAFileStat::of(source->urlForConversion);
    return stat && stat->size > 0 ? static_cast<uint64_t>(stat->size) : 0;
}

}  // namespace

VMCCheckingFilenamesProgress::VMCCheckingFilenamesProgress(VMCCheckingFilenamesHost* host)
    : mHost(host),
      mProber(defaultProber()),
      mState(std::make_shared<VMCCheckFilenamesState>()),
      mStopSignal(clSignal::create()) {}

std::shared_ptr<VMCCheckingFilenamesProgress> VMCCheckingFilenamesProgress::initWithHost(
    VMCCheckingFilenamesHost* host) {
    return std::make_shared<VMCCheckingFilenamesProgress>(host);
}

VMCCheckingFilenamesProgress::~VMCCheckingFilenamesProgress() {
    cancel();
    if (mWorker.joinable()) {
        mWorker.join();
    }
}

VMCCheckingFilenamesProgress::Prober VMCCheckingFilenamesProgress::defaultProber() {
    return [](const XStr& path, int stopFD) -> std::shared_ptr<const VAMediaFileInfo> {
        if (const std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared()) {
            return cache->infoForFile(path, stopFD);
        }
        return VAMediaFileInfo::infoForFile(path, stopFD);
    };
}

VMCCheckingFilenamesProgress::Snapshot VMCCheckingFilenamesProgress::takeSnapshot(
    const VMCCheckingFilenamesHost& host) {
    const VMCConfig& config = host.config();
    const VMCConfig::ProfilePtr profile = config.activeProfile();
    if (!profile) {
        Snapshot snapshot;
        snapshot.entries = host.conversionEntries();
        return snapshot;
    }
    return snapshotOf(config, *profile, host.conversionEntries(), host.allInfosLoaded());
}

VMCCheckingFilenamesProgress::Snapshot VMCCheckingFilenamesProgress::snapshotOf(
    const VMCConfig& config, const VMCProfile& profile, std::vector<VMCPreConvertEntry> entries,
    std::vector<std::shared_ptr<const VAMediaFileInfo>> infos) {
    Snapshot snapshot;
    snapshot.infos = std::move(infos);
    snapshot.entries = std::move(entries);
    snapshot.encoder = config.encoderForProfile(profile);
    snapshot.encoderArgs = profile.encoderArgsV2();
    snapshot.naming = profile.fileNaming();
    snapshot.dspString = profile.dspString();
    if (snapshot.encoder && snapshot.encoder->isMultiEncoder()) {
        const VMCMultiEncConfig multi =
            VMCMultiEncConfig::fromArgs(snapshot.encoderArgs, config.encoders());
        std::vector<std::shared_ptr<VMCMultiEncEntry>> multiEntries;
        for (const VMCMultiEncEntry& entry : multi.entries()) {
            multiEntries.push_back(std::make_shared<VMCMultiEncEntry>(entry.copy()));
        }
        snapshot.multiEntries = std::move(multiEntries);
        snapshot.multiCPU = multi.multiCPU();
    }
    snapshot.conditional =
        VAConditionalEncoding::createWithDSPs(VADSPList::stringToDSPs(snapshot.dspString));
    snapshot.needsMeta = needsMetaFromFiles(snapshot);
    return snapshot;
}

bool VMCCheckingFilenamesProgress::needsMetaFromFiles(const Snapshot& snapshot) {
    if (snapshot.conditional && snapshot.conditional->needMetaFromFiles()) {
        return true;
    }
    if (!snapshot.multiEntries) {
        if (!snapshot.encoder || snapshot.encoder->disableConvertToFolder) {
            return false;
        }
        return snapshot.naming.needsMetaFromFiles();
    }
    for (const std::shared_ptr<VMCMultiEncEntry>& entry : *snapshot.multiEntries) {
        if (entry->encoder.disableConvertToFolder) {
            continue;
        }
        const VMCFileNaming& naming =
            entry->fileNaming->isUseParentConfig() ? snapshot.naming : *entry->fileNaming;
        if (naming.needsMetaFromFiles()) {
            return true;
        }
    }
    return false;
}

bool VMCCheckingFilenamesProgress::workerMain(const Snapshot& snapshot,
                                              VMCCheckFilenamesState& state, const Prober& prober,
                                              const std::atomic<bool>& stop, int stopFD,
                                              std::atomic<std::size_t>* sourcesDone) {
    std::vector<Output> outputs = outputsOf(snapshot);
    state.multiCPU = snapshot.multiCPU;
    bool anyExists = false;
    for (std::size_t i = 0; i < snapshot.entries.size(); ++i) {
        const VMCPreConvertEntry& entry = snapshot.entries[i];
        if (!entry.checked) {
            continue;
        }
        if (stop) {
            break;
        }
        const XStr namingURL = entry.namingURL();
        std::shared_ptr<const VAMediaFileInfo> info;
        if (snapshot.needsMeta) {
            info = i < snapshot.infos.size() ? snapshot.infos[i] : nullptr;
            if (!info && prober) {
                info = prober(namingURL, stopFD);
            }
        }
        const uint64_t size = fileSizeBytes(entry.source);
        for (Output& output : outputs) {
            VMCCheckFileNamesEntry check;
            check.source2 = entry.source;
            check.justCopy = entry.justCopy;
            check.multiEncData = output.multi;
            check.sourceSizeBytes = size;
            const bool tested = !output.encoder.disableConvertToFolder;
            if (tested) {
                const std::optional<XStr> path =
                    entry.destinationUser
                        ? output.naming.fullPathForSourceUserString(
                              namingURL, *entry.destinationUser, output.extension)
                        : output.naming.fullPathForSource(namingURL, info.get(), output.extension);
                check.destination = path.value_or(XStr());
            } else {
                check.destination = kNoOutputFile;
            }
            if (snapshot.conditional) {
                VAConversionEntry conversion;
                conversion.convertFrom = entry.source;
                conversion.urlTo = check.destination;
                if (!snapshot.conditional->processEntry(conversion, info.get())) {
                    continue;
                }
            }
            if (tested && !check.destination.empty() && exists(check.destination)) {
                state.alreadyExists.insert(check.destination);
                anyExists = true;
            }
            state.entries.push_back(std::move(check));
        }
        if (sourcesDone != nullptr) {
            ++*sourcesDone;
        }
    }
    return anyExists;
}

void VMCCheckingFilenamesProgress::viewDidLoad() {
    if (mLoaded) {
        return;
    }
    mLoaded = true;
    mSnapshot = takeSnapshot(*mHost);
    const int stopFD = mStopSignal ? mStopSignal->waitHandle() : -1;
    // The worker owns nothing but what it was given; the object outlives it (the destructor
    // joins), and the result reaches the main thread only while the object is alive.
    mWorker = std::thread([this, stopFD, weak = weak_from_this()] {
        const bool anyExists =
            workerMain(mSnapshot, *mState, mProber, mStop, stopFD, &mSourcesChecked);
        if (mStop) {
            return;
        }
        XMainThread::post([weak, anyExists] {
            if (const auto self = weak.lock()) {
                self->finished(anyExists);
            }
        });
    });
}

void VMCCheckingFilenamesProgress::cancel() {
    mStop = true;
    if (mStopSignal) {
        mStopSignal->setState(true);
    }
}

std::size_t VMCCheckingFilenamesProgress::sourcesToCheck() const {
    return static_cast<std::size_t>(
        std::count_if(mSnapshot.entries.begin(), mSnapshot.entries.end(),
                      [](const VMCPreConvertEntry& entry) { return entry.checked; }));
}

void VMCCheckingFilenamesProgress::finished(bool anyExists) {
    if (mWorker.joinable()) {
        mWorker.join();
    }
    // A result that crossed a cancel on its way to the main thread.
    if (mStop) {
        return;
    }
    mDone = true;
    mAnyExists = anyExists;
    if (mHost != nullptr) {
        mHost->checkFileNamesDone(anyExists, this);
    }
}
