// The automatic FFmpeg download behind the download sheet: a background worker fetches an
// FFmpeg build from the maker's web server into a temporary file and hands the result to
// the main thread. Cancel ends it at once with code 0; a cancelled worker reports nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "KillSwitch.h"
#include "XStr.h"
#include "XTempFile.h"

class VVCDownloadFFmpeg : public std::enable_shared_from_this<VVCDownloadFFmpeg> {
public:
    // On the main thread: 1 when the archive was downloaded (then in archivePath()), 0 when
    // not or when cancelled. Called once.
    using Completion = std::function<void(int code)>;
    // On the main thread now and then: bytes so far, the whole size or -1 when unknown.
    using Progress = std::function<void(int64_t received, int64_t total)>;

    static std::shared_ptr<VVCDownloadFFmpeg> create(Completion completion, Progress progress);
    // Cancels a download still running and waits for its worker; the downloaded file goes.
    ~VVCDownloadFFmpeg();
    VVCDownloadFFmpeg(const VVCDownloadFFmpeg&) = delete;
    VVCDownloadFFmpeg& operator=(const VVCDownloadFFmpeg&) = delete;

    // Makes the temporary file ("VVC...tar.bz2") and starts the worker; a file that cannot be
    // made ends the download with 0 at once.
    void start();
    void cancel();
    bool running() const { return mRunning; }
    const XStr& archivePath() const { return mArchive.Path(); }

    // "/install/ffmpeg-linux-<processor>-va<kind>.tar.bz2" on the maker's server, then the
    // generic "/install/ffmpeg-linux.tar.bz2".
    static XStrList downloadURLs();
    // The machine's processor name as uname gives it ("x86_64").
    static XStr processorName();
    static constexpr const char* kProductKind = "video";
    // A larger answer is no FFmpeg build.
    static constexpr int64_t kMaxArchiveBytes = int64_t{1} << 30;

private:
    VVCDownloadFFmpeg(Completion completion, Progress progress)
        : mCompletion(std::move(completion)), mProgress(std::move(progress)) {}
    void finish(int code);
    void work(XStr path, std::shared_ptr<KillSwitch> cancel);

    Completion mCompletion;
    Progress mProgress;
    XTempFile mArchive;
    std::shared_ptr<KillSwitch> mCancel = KillSwitch::create();
    std::thread mWorker;
    bool mRunning = false;
};
