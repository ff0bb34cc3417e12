#include "clFFMPEG.h"

#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>

#include "VACommandText.h"
#include "VAConvertProcessShared.h"
#include "VALocateFFmpeg.h"
#include "VAUserFolders.h"
#include "VMCCodecMap.h"
#include "VMCOutputFilter.h"
#include "VMCRunningChildren.h"
#include "XLineReader.h"

namespace {

constexpr uint32_t kPollMs = 25;
// How long the readers may take to drain their pipes after FFmpeg has ended.
constexpr auto kReaderDrain = std::chrono::seconds(2);

std::atomic<unsigned> gDebugLogCount{0};

void appendToDebugLog(pipeReadSync_t& sync, const XStr& line) {
    if (sync.debugLog != nullptr && sync.debugLog->IsOpen()) {
        const std::string bytes = line.utf8() + "\n";
        sync.debugLog->Write(bytes.data(), bytes.size(), XFile::kAtEnd);
    }
}

void handleErrorLine(pipeReadSync_t& sync, XStr& line) {
    std::lock_guard<std::mutex> lock(sync.mutex);
    if (!sync.alive) {
        return;
    }
    appendToDebugLog(sync, line);
    if (const std::optional<XStr> error = VMCOutputFilter::errorLineFor(line)) {
        sync.callback->onErrorLine(*error);
        sync.hadError = true;
    }
}

void handleInfoLine(pipeReadSync_t& sync, XStr& line) {
    std::lock_guard<std::mutex> lock(sync.mutex);
    if (!sync.alive) {
        return;
    }
    appendToDebugLog(sync, line);
    if (!line.empty()) {
        sync.callback->onInfoLine(line);
    }
}

void readerEnded(pipeReadSync_t& sync) {
    {
        std::lock_guard<std::mutex> lock(sync.mutex);
        ++sync.readersEnded;
    }
    sync.readersDone.notify_all();
}

XStr parentFolder(const XStr& path) {
    const std::size_t slash = path.rfind(U'/');
    return slash == XStr::npos || slash == 0 ? XStr() : path.left(slash);
}

bool pathExists(const XStr& path) {
    return access(path.utf8().c_str(), F_OK) == 0;
}

}  // namespace

bool clFFMPEG::debugLogWanted() {
    return std::getenv("VANTARO_DEBUG") != nullptr;
}

clFFMPEG::clFFMPEG(VMCProcessArg arg) : mProcessArg(std::move(arg)) {
    if (debugLogWanted()) {
        openDebugLog();
    }
}

clFFMPEG::~clFFMPEG() = default;

void clFFMPEG::openDebugLog() {
    const unsigned n = gDebugLogCount.fetch_add(1);
    const unsigned pid = static_cast<unsigned>(getpid());
    const XStr name =
        n == 0 ? XStr::format("VADebug-%u.txt", pid) : XStr::format("VADebug-%u+%u.txt", pid, n);
    const XStr folder = VAUserFolders::documentsFolder();
    XFile::CreateFolderPath(folder);
    mDebugLog.Open(folder + "/" + name, XFile::Access::kReadWrite,
                   XFile::kOpenAlways | XFile::kNoLock);
}

void clFFMPEG::run() {
    VMCStatusCallback& callback = *mProcessArg.callback;
    // The length only scales the percentages, so ffprobe runs while FFmpeg starts instead
    // of before it. The thread waits for its ffprobe, which dies with the thread otherwise.
    std::future<int64_t> probed = std::async(std::launch::async, [source = mProcessArg.srcFrom] {
        return source ? source->probeLength() : int64_t{0};
    });

    mProgressTemp.Create("_va", "");
    mProgress.Open(mProgressTemp.Path(), XFile::Access::kReadWrite,
                   XFile::kOpenAlways | XFile::kNoLock);

    VMCFFmpegCommandInput input;
    input.ffmpegPath = VALocateFFmpeg::locateFFmpeg();
    input.progressPath = mProgressTemp.Path();
    input.debugLog = mDebugLog.IsOpen();
    input.makeListFile = [this] {
        mListTemp.Create("vav", ".txt");
        return mListTemp.Path();
    };
    input.codecMap = [ffmpeg = input.ffmpegPath](const XStr& args, XStrList& info) {
        return VMCCodecMap::apply(ffmpeg, args, info);
    };
    const VMCFFmpegCommand command = VMCFFmpegCommand::build(mProcessArg, input);
    if (!command.error.empty()) {
        callback.onErrorLine(command.error);
        return;
    }
    if (!command.listFileContent.empty()) {
        XFile list;
        if (!list.Open(command.listFilePath, XFile::Access::kReadWrite,
                       XFile::kCreateAlways | XFile::kNoLock) ||
            !list.Write(command.listFileContent.data(), command.listFileContent.size())) {
            callback.onErrorLine("Could not write the list of files to join");
            return;
        }
    }
    XFile::CreateFolderPath(parentFolder(mProcessArg.urlTo));
    for (const XStr& line : command.infoLines) {
        callback.onInfoLine(line);
    }

    callback.onInfoLine(command.commandText);
    if (!start(command)) {
        callback.onErrorLine("Could not start FFmpeg process");
        return;
    }
    mLengthMS = command.lengthFor(probed.get());
    if (mLengthMS != 0) {
        callback.onLengthMS(mLengthMS);
    }
    callback.onInfoLine("Encoding loop...");
    callback.onPercentDone(0);
    progressLoop();
    finish(command);
}

bool clFFMPEG::start(const VMCFFmpegCommand& command) {
    const XWorkerProcess::ArgList argv = VACommandText::Split(command.commandText);
    if (!mProcess.Create(argv, XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr)) {
        return false;
    }
    VMCRunningChildren::add(mProcess.Pid());
    mSync = std::make_shared<pipeReadSync_t>();
    mSync->callback = mProcessArg.callback;
    mSync->debugLog = mDebugLog.IsOpen() ? &mDebugLog : nullptr;
    auto sync = mSync;
    int started = 0;
    if (XReadLinesAsync(
            mProcess.ErrorFD(), [sync](XStr& line) { handleErrorLine(*sync, line); },
            [sync] { readerEnded(*sync); })) {
        ++started;
    }
    if (XReadLinesAsync(
            mProcess.OutputFD(), [sync](XStr& line) { handleInfoLine(*sync, line); },
            [sync] { readerEnded(*sync); })) {
        ++started;
    }
    // A reader that could not start counts as ended, so nobody waits for it.
    {
        std::lock_guard<std::mutex> lock(mSync->mutex);
        mSync->readersEnded += 2 - started;
    }
    // The readers hold their own copies; ours would keep the pipes open.
    close(mProcess.DetachErrorFD());
    close(mProcess.DetachOutputFD());
    return true;
}

void clFFMPEG::progressLoop() {
    const pid_t pid = mProcess.Pid();
    bool suspended = false;
    for (;;) {
        if (mProcess.IsFinished()) {
            readProgress();
            VMCRunningChildren::remove(pid);
            mProcessArg.callback->onPercentDone(100);
            return;
        }
        readProgress();
        const std::shared_ptr<VMCProcessEvents>& events = mProcessArg.events;
        if (events && events->bEvtQuit && !mStopped) {
            mStopped = true;
            // SIGKILL ends a suspended child as well; no need to resume it first.
            mProcess.Stop(0);
            VMCRunningChildren::remove(pid);
            return;
        }
        // A paused conversion really pauses: the child stops using the processor.
        const bool pause = events && events->isPaused();
        if (pause != suspended) {
            suspended = pause ? mProcess.Suspend() : !mProcess.Resume();
        }
        // Wakes at once when FFmpeg ends, so the slot's next job starts without delay.
        mProcess.WaitFinished(kPollMs);
    }
}

void clFFMPEG::readProgress() {
    if (!mProgress.IsOpen()) {
        return;
    }
    const int64_t size = mProgress.Size();
    if (size <= mProgressRead) {
        return;
    }
    std::string bytes(static_cast<std::size_t>(size - mProgressRead), '\0');
    if (!mProgress.Seek(mProgressRead, XFile::Origin::kStart)) {
        return;
    }
    bool failed = false;
    const std::size_t got = mProgress.Read(bytes.data(), bytes.size(), XFile::kAtCurrent, &failed);
    if (failed || got != bytes.size()) {
        // Read again from the same place next time.
        return;
    }
    mProgressRead = size;
    // FFmpeg may be caught in the middle of a line: keep the unfinished tail for later.
    mProgressTail += bytes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = mProgressTail.find('\n', start);
        if (newline == std::string::npos) {
            break;
        }
        parseProgressLine(mProgressTail.substr(start, newline - start));
        start = newline + 1;
    }
    mProgressTail.erase(0, start);
}

void clFFMPEG::parseProgressLine(const std::string& raw) {
    const XStr line(raw);
    VMCStatusCallback& callback = *mProcessArg.callback;
    if (line.startsWith("out_time_ms=")) {
        const int64_t us = line.substr(12).toInt64();
        if (us > -1000 && mLengthMS >= 0) {
            const int64_t length = mLengthMS == 0 ? 1 : mLengthMS;
            callback.onPercentDone(static_cast<int32_t>((us / 1000 * 100) / length));
        }
    } else if (line.startsWith("fps=")) {
        callback.onFPS(line.substr(4).toDouble());
    }
}

void clFFMPEG::waitForReaders() {
    if (!mSync) {
        return;
    }
    std::unique_lock<std::mutex> lock(mSync->mutex);
    // A grandchild holding a pipe open must not hang the run.
    mSync->readersDone.wait_for(lock, kReaderDrain, [this] { return mSync->readersEnded >= 2; });
}

void clFFMPEG::reportAbnormalExit() {
    const XWorkerProcess::ExitInfo& exit = mProcess.LastExit();
    if (!exit.reaped) {
        return;
    }
    XStr message;
    if (exit.exited && exit.status != 0) {
        message = XStr::format("FFmpeg exited with status %d", exit.status);
    } else if (!exit.exited) {
        message =
            XStr::format("FFmpeg was ended by signal %d (%s)", exit.signal, strsignal(exit.signal));
    }
    if (!message.empty()) {
        mProcessArg.callback->onErrorLine(message);
        mSync->hadError = true;
    }
}

void clFFMPEG::placeTempOutput(const VMCFFmpegCommand& command) {
    VMCStatusCallback& callback = *mProcessArg.callback;
    const XStr& temp = command.outputPath;
    if (mSync->hadError || mStopped) {
        // The source is the destination: a failed or cut-short output must never replace it.
        XFile::Delete(temp);
        return;
    }
    if (!pathExists(temp)) {
        callback.onErrorLine("Error moving temporary file to destination file");
        return;
    }
    // rename replaces the old file in one step, so there is never a moment without either.
    if (!XFile::Rename(temp, mProcessArg.urlTo)) {
        callback.onErrorLine("Error moving temporary file to destination file");
    }
}

void clFFMPEG::finish(const VMCFFmpegCommand& command) {
    VMCStatusCallback& callback = *mProcessArg.callback;
    callback.onInfoLine("Encoding loop exit");
    callback.onFPS(0);
    const pid_t pid = mProcess.Pid();
    mProcess.Stop(XWorkerProcess::kDefaultGraceMs);
    VMCRunningChildren::remove(pid);
    waitForReaders();
    if (!mStopped && !mSync->hadError) {
        reportAbnormalExit();
    }
    if (command.usesTempOutput) {
        placeTempOutput(command);
    }
    callback.onInfoLine("Encoding exit");
    if (!mSync->hadError && !mStopped) {
        VAConvertProcessShared::handleSpecialActions(mProcessArg);
    }
    {
        std::lock_guard<std::mutex> lock(mSync->mutex);
        mSync->alive = false;
    }
    mProgress.Close();
    mProgressTemp.Delete();
    mListTemp.Delete();
    mDebugLog.Close();
}
