// The FFmpeg configuration panel's logic: which FFmpeg is used (the internal one, one
// installed by download, or one the user chose), the actions that change it, and the
// version, licence and codecs texts of the FFmpeg in use, read by a background worker.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "KillSwitch.h"
#include "VVCConfigFFmpegView.h"
#include "VVCDownloadFFmpeg.h"
#include "XStr.h"

class VVCConfigFFmpeg : public std::enable_shared_from_this<VVCConfigFFmpeg> {
public:
    using Option = VVCConfigFFmpegView::Option;

    static std::shared_ptr<VVCConfigFFmpeg> create(VVCConfigFFmpegView& view);
    // Cancels a download and a refresh still running and waits for their workers.
    ~VVCConfigFFmpeg();
    VVCConfigFFmpeg(const VVCConfigFFmpeg&) = delete;
    VVCConfigFFmpeg& operator=(const VVCConfigFFmpeg&) = delete;

    // The panel is shown: its option and a refresh of the texts.
    void panelDidLoad();

    // The three option buttons. Use-internal reverts to the internal FFmpeg; auto-install
    // opens the download sheet; use-external opens the chooser. While a sheet or the
    // chooser is open the last two do nothing.
    void useInternal();
    void autoInstall();
    void useExternal();
    void cancelDownload();
    // The chooser ended with the path chosen, or empty when cancelled.
    void chooserEnded(const XStr& path);
    bool openInProgress() const { return mOpenInProgress; }

    // The option the files in the data folder stand for now.
    static Option currentOption();
    // Shows the current option again.
    void refreshOptions();
    // Shows kPleaseWait in the three texts, then what the FFmpeg in use says.
    void refresh();

    // Folders (to move through) and files named exactly "ffmpeg".
    static bool chooserAccepts(const XStr& path, bool isFolder);

    // Called after every install and revert: whatever depends on the FFmpeg in use (the
    // GPL encoders offered) is to be asked again.
    void setChangeHandler(std::function<void()> handler) { mChanged = std::move(handler); }

    static constexpr const char* kPleaseWait = "[please wait]";
    static constexpr const char* kDownloadFailed =
        "Could not automatically download FFmpeg from Vantaro web site.\n\nFor full Vantaro "
        "functionality, please install and configure FFmpeg manually.";
    static constexpr const char* kInstallFailed = "FFmpeg could not be installed.";
    // The texts' font: a fixed-pitch one (Courier where there is one), 13 points.
    static constexpr const char* kTextFont = "Courier";
    static constexpr int kTextPoints = 13;

private:
    explicit VVCConfigFFmpeg(VVCConfigFFmpegView& view) : mView(view) {}
    void downloadEnded(int code);
    void install(const XStr& path, bool isAuto);
    void changed();
    void stopRefresh();

    VVCConfigFFmpegView& mView;
    bool mOpenInProgress = false;
    std::shared_ptr<VVCDownloadFFmpeg> mDownload;
    // Each refresh has its own number; the answer of an older one is dropped.
    uint64_t mAsyncTag = 0;
    std::shared_ptr<KillSwitch> mRefreshCancel;
    std::thread mRefresh;
    std::function<void()> mChanged;
};
