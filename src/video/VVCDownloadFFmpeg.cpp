#include "VVCDownloadFFmpeg.h"

#include <sys/utsname.h>

#include <string>

#include "VAWebServer.h"
#include "XFile.h"
#include "XHttpGet.h"
#include "XMainThread.h"

namespace {

// The sheet's progress moves in steps of this much at the most often.
constexpr int64_t kProgressStepBytes = 256 * 1024;

}  // namespace

std::shared_ptr<VVCDownloadFFmpeg> VVCDownloadFFmpeg::create(Completion completion,
                                                             Progress progress) {
    return std::shared_ptr<VVCDownloadFFmpeg>(
        new VVCDownloadFFmpeg(std::move(completion), std::move(progress)));
}

VVCDownloadFFmpeg::~VVCDownloadFFmpeg() {
    mCancel->kill();
    if (mWorker.joinable()) {
        mWorker.join();
    }
}

XStr VVCDownloadFFmpeg::processorName() {
    utsname name{};
    return uname(&name) == 0 ? XStr(name.machine) : XStr("x86_64");
}

XStrList VVCDownloadFFmpeg::downloadURLs() {
    return {VAWebServer::url(XStr::format("/install/ffmpeg-linux-%s-va%s.tar.bz2",
                                          processorName().utf8().c_str(), kProductKind)),
            VAWebServer::url("/install/ffmpeg-linux.tar.bz2")};
}

void VVCDownloadFFmpeg::start() {
    if (mRunning || mWorker.joinable()) {
        return;
    }
    mRunning = true;
    if (!mArchive.Create("VVC", ".tar.bz2")) {
        finish(0);
        return;
    }
    mWorker = std::thread([this, path = mArchive.Path(), cancel = mCancel] { work(path, cancel); });
}

void VVCDownloadFFmpeg::cancel() {
    if (!mRunning) {
        return;
    }
    mCancel->kill();
    finish(0);
}

void VVCDownloadFFmpeg::finish(int code) {
    if (!mRunning) {
        return;
    }
    // The completion may let the last owner go.
    const std::shared_ptr<VVCDownloadFFmpeg> keep = shared_from_this();
    mRunning = false;
    if (code != 1) {
        mArchive.Delete();
    }
    if (mCompletion) {
        mCompletion(code);
    }
}

void VVCDownloadFFmpeg::work(XStr path, std::shared_ptr<KillSwitch> cancel) {
    // The worker reaches the object only through the main thread, and only while the switch
    // lives: the object kills it before it goes.
    std::weak_ptr<VVCDownloadFFmpeg> weak = weak_from_this();
    XHttpSettings settings = XHttpSettings::withStoredProxy();
    settings.cancel = cancel;
    settings.maxBodyLength = kMaxArchiveBytes;
    int64_t reported = -kProgressStepBytes;
    settings.progress = [&](int64_t received, int64_t total) {
        if (received - reported < kProgressStepBytes && received != total) {
            return;
        }
        reported = received;
        XMainThread::post([weak, cancel, received, total] {
            const std::shared_ptr<VVCDownloadFFmpeg> self = weak.lock();
            if (self && !cancel->die() && self->mProgress) {
                self->mProgress(received, total);
            }
        });
    };
    bool ok = false;
    for (const XStr& url : downloadURLs()) {
        std::string body;
        if (cancel->die()) {
            break;
        }
        reported = -kProgressStepBytes;
        if (HttpGet(url, body, settings)) {
            XFile file;
            ok = file.Open(path, XFile::Access::kReadWrite,
                           XFile::kTruncateExisting | XFile::kNoLock) &&
                 file.Write(body.data(), body.size()) && file.Close();
            break;
        }
    }
    if (cancel->die()) {
        return;
    }
    XMainThread::post([weak, cancel, ok] {
        const std::shared_ptr<VVCDownloadFFmpeg> self = weak.lock();
        if (self && !cancel->die()) {
            self->finish(ok ? 1 : 0);
        }
    });
}
