#include "VCliFFmpegView.h"

#include <cstdio>

#include "VVCConfigFFmpeg.h"

namespace {

std::string megabytes(int64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

}  // namespace

void VCliFFmpegView::showTexts(const XStr& version, const XStr& licence, const XStr& codecs) {
    // The placeholders of a refresh that has just begun are no answer.
    if (version == VVCConfigFFmpeg::kPleaseWait) {
        return;
    }
    mVersion = version;
    mLicence = licence;
    mCodecs = codecs;
    mTextsShown = true;
}

void VCliFFmpegView::openDownloadSheet() {
    mSheetOpen = true;
    if (mProgress != nullptr) {
        *mProgress << "Downloading FFmpeg..." << std::flush;
        mProgressShown = true;
    }
}

void VCliFFmpegView::showDownloadProgress(int64_t received, int64_t total) {
    if (mProgress == nullptr) {
        return;
    }
    *mProgress << "\rDownloading FFmpeg: " << megabytes(received)
               << (total >= 0 ? " of " + megabytes(total) : std::string()) << "\033[K"
               << std::flush;
}

void VCliFFmpegView::closeDownloadSheet() {
    mSheetOpen = false;
    if (mProgress != nullptr && mProgressShown) {
        *mProgress << "\r\033[K" << std::flush;
        mProgressShown = false;
    }
}

void VCliFFmpegView::showAlert(const XStr& text) {
    mAlert = text;
}
