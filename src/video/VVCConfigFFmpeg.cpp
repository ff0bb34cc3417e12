#include "VVCConfigFFmpeg.h"

#include "VAFFmpegInfo.h"
#include "VALocateFFmpeg.h"
#include "XMainThread.h"
#include "XPath.h"

std::shared_ptr<VVCConfigFFmpeg> VVCConfigFFmpeg::create(VVCConfigFFmpegView& view) {
    return std::shared_ptr<VVCConfigFFmpeg>(new VVCConfigFFmpeg(view));
}

VVCConfigFFmpeg::~VVCConfigFFmpeg() {
    stopRefresh();
    // The download's completion must not reach a panel that is going.
    mDownload.reset();
}

VVCConfigFFmpeg::Option VVCConfigFFmpeg::currentOption() {
    if (!VALocateFFmpeg::haveExternalFFmpeg()) {
        return Option::kInternal;
    }
    return VALocateFFmpeg::isAutoInstalled() ? Option::kAuto : Option::kCustom;
}

bool VVCConfigFFmpeg::chooserAccepts(const XStr& path, bool isFolder) {
    return isFolder || XPath::fileName(path) == "ffmpeg";
}

void VVCConfigFFmpeg::panelDidLoad() {
    refreshOptions();
    refresh();
}

void VVCConfigFFmpeg::refreshOptions() {
    mView.showOption(currentOption());
}

void VVCConfigFFmpeg::stopRefresh() {
    if (mRefreshCancel) {
        mRefreshCancel->kill();
    }
    if (mRefresh.joinable()) {
        mRefresh.join();
    }
}

void VVCConfigFFmpeg::refresh() {
    // An older refresh still running is of no use any more.
    stopRefresh();
    const uint64_t tag = ++mAsyncTag;
    mView.showTexts(kPleaseWait, kPleaseWait, kPleaseWait);
    mRefreshCancel = KillSwitch::create();
    mRefresh = std::thread([weak = weak_from_this(), cancel = mRefreshCancel, tag,
                            ffmpeg = VALocateFFmpeg::locateFFmpeg()] {
        VAFFmpegInfo info = VAFFmpegInfo::read(ffmpeg, cancel.get());
        if (cancel->die()) {
            return;
        }
        XMainThread::post([weak, cancel, tag, info = std::move(info)] {
            const std::shared_ptr<VVCConfigFFmpeg> self = weak.lock();
            if (self && !cancel->die() && tag == self->mAsyncTag) {
                self->mView.showTexts(info.version, info.licence, info.codecs);
            }
        });
    });
}

void VVCConfigFFmpeg::changed() {
    refreshOptions();
    refresh();
    if (mChanged) {
        mChanged();
    }
}

void VVCConfigFFmpeg::useInternal() {
    VALocateFFmpeg::revertToInternal();
    changed();
}

void VVCConfigFFmpeg::autoInstall() {
    if (mOpenInProgress) {
        return;
    }
    mOpenInProgress = true;
    std::weak_ptr<VVCConfigFFmpeg> weak = weak_from_this();
    mDownload = VVCDownloadFFmpeg::create(
        [weak](int code) {
            if (const std::shared_ptr<VVCConfigFFmpeg> self = weak.lock()) {
                self->downloadEnded(code);
            }
        },
        [weak](int64_t received, int64_t total) {
            if (const std::shared_ptr<VVCConfigFFmpeg> self = weak.lock()) {
                self->mView.showDownloadProgress(received, total);
            }
        });
    mView.openDownloadSheet();
    mDownload->start();
}

void VVCConfigFFmpeg::cancelDownload() {
    if (mDownload) {
        mDownload->cancel();
    }
}

void VVCConfigFFmpeg::downloadEnded(int code) {
    mView.closeDownloadSheet();
    mOpenInProgress = false;
    // The downloader goes once this is done: its file with it.
    const std::shared_ptr<VVCDownloadFFmpeg> download = std::move(mDownload);
    if (code == 1) {
        install(download->archivePath(), true);
        return;
    }
    refreshOptions();
    mView.showAlert(kDownloadFailed);
}

void VVCConfigFFmpeg::useExternal() {
    if (mOpenInProgress) {
        return;
    }
    mOpenInProgress = true;
    mView.openChooser();
}

void VVCConfigFFmpeg::chooserEnded(const XStr& path) {
    mOpenInProgress = false;
    if (path.empty()) {
        refreshOptions();
        return;
    }
    install(path, false);
}

void VVCConfigFFmpeg::install(const XStr& path, bool isAuto) {
    XStr why;
    const bool ok = VALocateFFmpeg::installFrom(path, isAuto, &why);
    changed();
    if (!ok) {
        mView.showAlert(XStr(kInstallFailed) + "\n\n" + why);
    }
}
