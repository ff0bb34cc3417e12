// What the FFmpeg configuration panel asks of its view. The desktop program implements it
// with widgets, the command line with its terminal, the tests with a recorder.
#pragma once

#include <cstdint>

#include "XStr.h"

class VVCConfigFFmpegView {
public:
    enum class Option { kInternal, kAuto, kCustom };

    virtual ~VVCConfigFFmpegView() = default;

    // Exactly one of the three options is on.
    virtual void showOption(Option option) = 0;
    // The FFmpeg's version, licence and codecs texts, each shown whole in a fixed-pitch font
    // (VVCConfigFFmpeg::kTextFont).
    virtual void showTexts(const XStr& version, const XStr& licence, const XStr& codecs) = 0;
    // The download sheet: an indeterminate progress until the size is known, and a Cancel
    // button that calls VVCConfigFFmpeg::cancelDownload.
    virtual void openDownloadSheet() = 0;
    virtual void showDownloadProgress(int64_t received, int64_t total) = 0;
    virtual void closeDownloadSheet() = 0;
    // A chooser of one file, no folders; VVCConfigFFmpeg::chooserAccepts says which entries
    // can be chosen. Its end goes to VVCConfigFFmpeg::chooserEnded.
    virtual void openChooser() = 0;
    virtual void showAlert(const XStr& text) = 0;
};
