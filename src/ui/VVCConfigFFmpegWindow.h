// The FFmpeg window: which FFmpeg the converter uses (the internal one, one downloaded from
// the Vantaro web site, or one the user chose), and what that FFmpeg says of its version,
// licence and codecs. Opened from the preferences and from "Install missing ..." in the
// setup panel; one window for the whole program.
#pragma once

#include <QDialog>
#include <memory>

#include "VVCConfigFFmpeg.h"

class QFileDialog;
class QLabel;
class QMessageBox;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class VVCDownloadFFmpegSheet;

class VVCConfigFFmpegWindow : public QDialog, public VVCConfigFFmpegView {
    Q_OBJECT

public:
    explicit VVCConfigFFmpegWindow(QWidget* parent = nullptr);
    ~VVCConfigFFmpegWindow() override;

    // Shows the window, made when there is none, raised when there is one.
    static VVCConfigFFmpegWindow* showPanel(QWidget* parent);

    VVCConfigFFmpeg& panel() const { return *mPanel; }
    QRadioButton* optionButton(Option option) const;
    QLabel* inUseLabel() const { return mInUse; }
    QTabWidget* tabs() const { return mTabs; }
    QPlainTextEdit* versionText() const { return mVersion; }
    QPlainTextEdit* licenceText() const { return mLicence; }
    QPlainTextEdit* codecsText() const { return mCodecs; }
    // While a download runs.
    VVCDownloadFFmpegSheet* downloadSheet() const { return mSheet; }

    // VVCConfigFFmpegView
    void showOption(Option option) override;
    void showTexts(const XStr& version, const XStr& licence, const XStr& codecs) override;
    void openDownloadSheet() override;
    void showDownloadProgress(int64_t received, int64_t total) override;
    void closeDownloadSheet() override;
    void openChooser() override;
    void showAlert(const XStr& text) override;

Q_SIGNALS:
    // A sheet, the chooser or an alert of the window is on screen.
    void dialogShown(QWidget* dialog);
    // Another FFmpeg is in use: what it offers may have changed.
    void ffmpegChanged();

private:
    void optionClicked(Option option);

    QRadioButton* mInternal;
    QRadioButton* mAuto;
    QRadioButton* mCustom;
    QLabel* mInUse;
    QTabWidget* mTabs;
    QPlainTextEdit* mVersion;
    QPlainTextEdit* mLicence;
    QPlainTextEdit* mCodecs;
    VVCDownloadFFmpegSheet* mSheet = nullptr;
    Option mShown = Option::kInternal;
    // Last: its workers end before the widgets they report to.
    std::shared_ptr<VVCConfigFFmpeg> mPanel;
};
