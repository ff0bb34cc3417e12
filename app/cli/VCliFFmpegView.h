// The FFmpeg configuration panel on the command line: what the panel shows is kept for the
// command to print, alerts become errors, and the download's progress goes to a terminal.
#pragma once

#include <ostream>
#include <string>

#include "VVCConfigFFmpegView.h"

class VCliFFmpegView : public VVCConfigFFmpegView {
public:
    // progress: where the download's progress goes, or null for none.
    explicit VCliFFmpegView(std::ostream* progress) : mProgress(progress) {}

    void showOption(Option option) override { mOption = option; }
    void showTexts(const XStr& version, const XStr& licence, const XStr& codecs) override;
    void openDownloadSheet() override;
    void showDownloadProgress(int64_t received, int64_t total) override;
    void closeDownloadSheet() override;
    void openChooser() override {}
    void showAlert(const XStr& text) override;

    Option option() const { return mOption; }
    // The texts of the last refresh that ended, and whether one has since the last reset.
    bool textsShown() const { return mTextsShown; }
    void resetTexts() { mTextsShown = false; }
    const XStr& version() const { return mVersion; }
    const XStr& licence() const { return mLicence; }
    const XStr& codecs() const { return mCodecs; }
    const XStr& alert() const { return mAlert; }
    bool sheetOpen() const { return mSheetOpen; }

private:
    std::ostream* mProgress;
    Option mOption = Option::kInternal;
    bool mTextsShown = false;
    XStr mVersion;
    XStr mLicence;
    XStr mCodecs;
    XStr mAlert;
    bool mSheetOpen = false;
    bool mProgressShown = false;
};
