#include "clFFMPEG.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <future>

#include "VACommandText.h"
#include "VAConvertProcessShared.h"
#include "VAConvertSourceConcat.h"
#include "VAUserFolders.h"
#include "VMCOutputFilter.h"
#include "VMCRunningChildren.h"
#include "XDebugLog.h"
#include "XPath.h"
#include "XPrivateFolder.h"

namespace {

// How often the loop looks at the progress file when nothing else wakes it.
constexpr int kTickMs = 100;
constexpr std::size_t kReadChunk = 64 * 1024;
// Reads of one pipe per wake, so that a chatty pipe cannot starve the other.
constexpr int kReadsPerWake = 16;
// How long a job that FFmpeg has finished still waits for the length of its source.
constexpr int kProbeGraceMs = 3000;

std::atomic<unsigned> gDebugLogCount{0};

// A destination that names no file: FFmpeg's output goes nowhere that needs placing.
bool isIgnoredDestination(const XStr& path) {
    return path.lowerASCII().endsWith(".ignore");
}

XStr quoted(const XStr& path) {
    return "'" + path + "'";
}

}  // namespace

bool clFFMPEG::debugLogWanted() {
    return XDebugLog::enabled();
}

clFFMPEG::clFFMPEG(VMCProcessArg arg) : mProcessArg(std::move(arg)) {
    if (debugLogWanted()) {
        openDebugLog();
    }
}

clFFMPEG::~clFFMPEG() {
    // A run that ends early does not wait for the length of its source.
    if (mProbeStop) {
        mProbeStop->setState(true);
    }
    closePipe(mErrorPipe);
    closePipe(mOutputPipe);
}

void clFFMPEG::openDebugLog() {
    const unsigned n = gDebugLogCount.fetch_add(1);
    const unsigned pid = static_cast<unsigned>(getpid());
    const XStr name =
        n == 0 ? XStr::format("VADebug-%u.txt", pid) : XStr::format("VADebug-%u+%u.txt", pid, n);
    const XStr folder = VAUserFolders::documentsFolder();
    XFile::CreateFolderPath(folder);
    mDebugLog.Open(XPath::join(folder, name), XFile::Access::kReadWrite,
                   XFile::kOpenAlways | XFile::kNoLock);
}

void clFFMPEG::error(const XStr& line) {
    mHadError = true;
    mProcessArg.callback->onErrorLine(line);
}

bool clFFMPEG::checkInputs() {
    const VAConvertSource* source = mProcessArg.srcFrom.get();
    if (source == nullptr) {
        return true;
    }
    XStrList inputs;
    if (const auto* concat = dynamic_cast<const VAConvertSourceConcat*>(source)) {
        inputs = concat->concatURLs();
    } else {
        inputs.push_back(source->urlForConversion);
    }
    for (const XStr& input : inputs) {
        // FFmpeg would wait forever on a FIFO that nobody writes, and a device is no source.
        struct stat st {};
        if (stat(input.utf8().c_str(), &st) != 0) {
            error("Cannot read " + quoted(input) + ": " + XStr(strerror(errno)));
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error(quoted(input) + " is not a regular file");
            return false;
        }
    }
    return true;
}

bool clFFMPEG::prepareOutput() {
    const XStr& destination = mProcessArg.urlTo;
    if (destination.empty()) {
        // The naming found no usable name (a folder it cannot use, tags that lead nowhere
        // safe): said in words, not as a folder named ''.
        error("No name could be made for the output of this file");
        return false;
    }
    const XStr folder = XPath::folderOf(destination);
    if (!XFile::CreateFolderPath(folder)) {
        error("Cannot create the folder " + quoted(folder) + ": " + XStr(strerror(errno)));
        return false;
    }
    if (isIgnoredDestination(destination)) {
        return true;
    }
    // No work is wasted on an output that could not be kept anyway.
    struct stat st {};
    if (!mProcessArg.overwriteExisting && lstat(destination.utf8().c_str(), &st) == 0) {
        error(quoted(destination) + " already exists and was not replaced");
        return false;
    }
    if (!mOutput.Create(destination)) {
        error("Cannot write to the folder of " + quoted(destination) + ": " +
              XStr(strerror(errno)));
        return false;
    }
    return true;
}

void clFFMPEG::prepareProgressFile() {
    // A progress file costs only the percentages when it cannot be made.
    const XFileName folder = XPrivateFolder::path();
    if (folder.empty() || !mProgressTemp.CreateIn(folder, "_va", "") ||
        !mProgress.Open(mProgressTemp.Path(), XFile::Access::kReadOnly,
                        XFile::kOpenExisting | XFile::kNoLock)) {
        mProgressTemp.Delete();
        mProcessArg.callback->onInfoLine("No progress file: percentages are not shown");
    }
}

void clFFMPEG::run() {
    VMCStatusCallback& callback = *mProcessArg.callback;
    if (!checkInputs()) {
        return;
    }
    // The length only scales the percentages, so ffprobe runs while FFmpeg starts and works
    // instead of before it. The future's owner waits for it, and its ffprobe dies with it
    // otherwise.
    // The probe can be ended, so that nobody waits for a probe that hangs.
    const int stopFD = mProbeStop ? mProbeStop->waitHandle() : -1;
    mProbed = std::async(std::launch::async, [source = mProcessArg.srcFrom, stopFD] {
        return source ? source->probeLength(stopFD) : int64_t{0};
    });
    if (!prepareOutput()) {
        return;
    }
    prepareProgressFile();

    VMCFFmpegCommandInput input = VMCFFmpegCommandInput::forLocatedFFmpeg();
    input.progressPath = mProgressTemp.Path();
    input.outputPath = mOutput.IsOpen() ? mOutput.TempPath() : XStr();
    input.debugLog = mDebugLog.IsOpen();
    input.makeListFile = [this] {
        mListTemp.CreateIn(XPrivateFolder::path(), "vav", ".txt");
        return mListTemp.Path();
    };
    mCommand = VMCFFmpegCommand::build(mProcessArg, input);
    const VMCFFmpegCommand& command = mCommand;
    if (!command.error.empty()) {
        error(command.error);
        return;
    }
    if (!command.listFileContent.empty()) {
        XFile list;
        if (command.listFilePath.empty() ||
            !list.Open(command.listFilePath, XFile::Access::kReadWrite,
                       XFile::kCreateAlways | XFile::kNoLock) ||
            !list.Write(command.listFileContent.data(), command.listFileContent.size())) {
            error("Could not write the list of files to join");
            return;
        }
    }
    for (const XStr& line : command.infoLines) {
        callback.onInfoLine(line);
    }

    callback.onInfoLine(command.commandText);
    if (!start(command)) {
        error("Could not start FFmpeg process");
        return;
    }
    if (command.lengthFromDuration) {
        // Known from the arguments: no need to wait for the probe.
        mLengthMS = command.lengthMS;
        callback.onLengthMS(mLengthMS);
    }
    callback.onInfoLine("Encoding loop...");
    callback.onPercentDone(0);
    pumpUntilExit();
    finish();
}

bool clFFMPEG::start(const VMCFFmpegCommand& command) {
    const XWorkerProcess::ArgList argv = VACommandText::Split(command.commandText);
    if (!mProcess.Create(argv, XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr)) {
        return false;
    }
    VMCRunningChildren::add(mProcess.Pid());
    mErrorPipe.fd = mProcess.DetachErrorFD();
    mErrorPipe.lines =
        std::make_unique<clLineSplitter>([this](XStr& line) { onErrorOutput(line); });
    mOutputPipe.fd = mProcess.DetachOutputFD();
    mOutputPipe.lines =
        std::make_unique<clLineSplitter>([this](XStr& line) { onInfoOutput(line); });
    for (Pipe* pipe : {&mErrorPipe, &mOutputPipe}) {
        fcntl(pipe->fd, F_SETFL, fcntl(pipe->fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

bool clFFMPEG::readPipe(Pipe& pipe) {
    char buffer[kReadChunk];
    for (int i = 0; i < kReadsPerWake; ++i) {
        const ssize_t n = read(pipe.fd, buffer, sizeof buffer);
        if (n > 0) {
            pipe.lines->feed(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

void clFFMPEG::closePipe(Pipe& pipe) {
    if (pipe.fd < 0) {
        return;
    }
    close(pipe.fd);
    pipe.fd = -1;
    // A last line without a line end still counts.
    pipe.lines->finish();
}

void clFFMPEG::stopChild() {
    mStopped = true;
    if (mProbeStop) {
        mProbeStop->setState(true);
    }
    const pid_t pid = mProcess.Pid();
    // SIGKILL ends a suspended child as well; no need to resume it first.
    mProcess.Stop(0);
    VMCRunningChildren::remove(pid);
}

void clFFMPEG::pumpUntilExit() {
    const std::shared_ptr<VMCProcessEvents>& events = mProcessArg.events;
    const int quitFD = events ? events->quitHandle() : -1;
    for (;;) {
        pollfd fds[4];
        nfds_t count = 0;
        Pipe* polled[2] = {nullptr, nullptr};
        for (Pipe* pipe : {&mErrorPipe, &mOutputPipe}) {
            if (pipe->fd >= 0) {
                polled[count] = pipe;
                fds[count++] = {pipe->fd, POLLIN, 0};
            }
        }
        const nfds_t pipes = count;
        if (const int exitFD = mProcess.ExitFD(); exitFD >= 0) {
            fds[count++] = {exitFD, POLLIN, 0};
        }
        if (quitFD >= 0) {
            fds[count++] = {quitFD, POLLIN, 0};
        }
        // The progress file cannot be polled: the tick reads it.
        poll(fds, count, kTickMs);
        takeProbedLength(false);
        for (nfds_t i = 0; i < pipes; ++i) {
            if (fds[i].revents != 0 && !readPipe(*polled[i])) {
                closePipe(*polled[i]);
            }
        }
        readProgress();
        if (events && events->bEvtQuit && !mStopped) {
            stopChild();
            return;
        }
        // A paused conversion really pauses: the child stops using the processor.
        const bool pause = events && events->isPaused();
        if (pause != mSuspended) {
            mSuspended = pause ? mProcess.Suspend() : !mProcess.Resume();
        }
        const pid_t pid = mProcess.Pid();
        if (mProcess.IsFinished()) {
            // Everything it wrote is in the pipes by now; a grandchild holding them open
            // must not keep the run waiting.
            for (Pipe* pipe : {&mErrorPipe, &mOutputPipe}) {
                if (pipe->fd >= 0) {
                    readPipe(*pipe);
                    closePipe(*pipe);
                }
            }
            // A short job may end before its probe: the length still counts for the speed.
            takeProbedLength(true);
            readProgress();
            VMCRunningChildren::remove(pid);
            mProcessArg.callback->onPercentDone(100);
            return;
        }
    }
}

void clFFMPEG::takeProbedLength(bool wait) {
    if (mCommand.lengthFromDuration || !mProbed.valid()) {
        return;
    }
    const auto grace = std::chrono::milliseconds(wait ? kProbeGraceMs : 0);
    if (mProbed.wait_for(grace) != std::future_status::ready) {
        if (!wait || !mProbeStop) {
            return;
        }
        // FFmpeg has read the whole file already: a probe still busy is stuck.
        mProbeStop->setState(true);
    }
    mLengthMS = mCommand.lengthFor(mProbed.get());
    if (mLengthMS != 0) {
        mProcessArg.callback->onLengthMS(mLengthMS);
    }
    // What FFmpeg said while the length was unknown is not lost.
    if (mPendingOutTimeUs) {
        reportOutTime(*mPendingOutTimeUs);
        mPendingOutTimeUs.reset();
    }
}

void clFFMPEG::reportOutTime(int64_t us) {
    if (us <= -1000) {
        return;
    }
    if (mLengthMS < 0) {
        mPendingOutTimeUs = us;
        return;
    }
    const int64_t length = mLengthMS == 0 ? 1 : mLengthMS;
    mProcessArg.callback->onPercentDone(static_cast<int32_t>((us / 1000 * 100) / length));
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
        reportOutTime(line.substr(12).toInt64());
    } else if (line.startsWith("fps=")) {
        callback.onFPS(line.substr(4).toDouble());
    }
}

void clFFMPEG::appendToDebugLog(const XStr& line) {
    if (mDebugLog.IsOpen()) {
        const std::string bytes = line.utf8() + "\n";
        mDebugLog.Write(bytes.data(), bytes.size(), XFile::kAtEnd);
    }
}

void clFFMPEG::onErrorOutput(const XStr& line) {
    appendToDebugLog(line);
    if (mStopped) {
        return;
    }
    // A progress file that could not be written costs the percentages, not the job.
    if (VMCOutputFilter::isProgressChannelNote(line)) {
        mProcessArg.callback->onInfoLine(line);
        return;
    }
    if (const std::optional<XStr> text = VMCOutputFilter::errorLineFor(line)) {
        error(*text);
    }
}

void clFFMPEG::onInfoOutput(const XStr& line) {
    appendToDebugLog(line);
    if (!mStopped && !line.empty()) {
        mProcessArg.callback->onInfoLine(line);
    }
}

void clFFMPEG::reportAbnormalExit() {
    const XWorkerProcess::ExitInfo& exit = mProcess.LastExit();
    if (!exit.reaped) {
        return;
    }
    if (exit.exited && exit.status != 0) {
        error(XStr::format("FFmpeg exited with status %d", exit.status));
    } else if (!exit.exited) {
        error(XStr::format("FFmpeg was ended by signal %d (%s)", exit.signal,
                           strsignal(exit.signal)));
    }
}

void clFFMPEG::placeOutput() {
    if (!mOutput.IsOpen()) {
        return;
    }
    if (mHadError || mStopped) {
        mOutput.Discard();
        return;
    }
    struct stat st {};
    if (stat(mOutput.TempPath().utf8().c_str(), &st) != 0 || st.st_size == 0) {
        // Nothing usable to put under the final name.
        error("FFmpeg wrote no output");
        mOutput.Discard();
        return;
    }
    switch (mOutput.Commit(mProcessArg.overwriteExisting)) {
        case XOutputFile::CommitResult::kDone:
            break;
        case XOutputFile::CommitResult::kExists:
            error(quoted(mProcessArg.urlTo) +
                  " appeared while converting and was not replaced; the new output was removed");
            break;
        case XOutputFile::CommitResult::kFailed:
            error("Error moving temporary file to destination file: " + XStr(strerror(errno)));
            break;
    }
}

void clFFMPEG::finish() {
    VMCStatusCallback& callback = *mProcessArg.callback;
    callback.onInfoLine("Encoding loop exit");
    callback.onFPS(0);
    const pid_t pid = mProcess.Pid();
    mProcess.Stop(XWorkerProcess::kDefaultGraceMs);
    VMCRunningChildren::remove(pid);
    closePipe(mErrorPipe);
    closePipe(mOutputPipe);
    if (!mStopped && !mHadError) {
        reportAbnormalExit();
    }
    placeOutput();
    callback.onInfoLine("Encoding exit");
    // Never after a failure: deleting a source whose output was lost would lose both.
    if (!mHadError && !mStopped) {
        VAConvertProcessShared::handleSpecialActions(mProcessArg);
    }
    mProgress.Close();
    mProgressTemp.Delete();
    mListTemp.Delete();
    mDebugLog.Close();
}
