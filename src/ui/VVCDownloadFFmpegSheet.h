// The sheet shown while FFmpeg downloads: what is happening, a progress bar that moves once
// the size is known, and Cancel (Escape). Closed by its owner when the download ends.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

class VVCDownloadFFmpegSheet : public QDialog {
    Q_OBJECT

public:
    explicit VVCDownloadFFmpegSheet(QWidget* parent);

    QProgressBar* progressBar() const { return mProgress; }
    QLabel* sizeLabel() const { return mSize; }
    QPushButton* cancelButton() const { return mCancel; }

    // Bytes so far and the whole size, or -1 while it is not known.
    void showProgress(int64_t received, int64_t total);
    // The download ended: the sheet goes without asking for a cancel.
    void finish();

    // Cancel or Escape.
    void reject() override;

Q_SIGNALS:
    void cancelRequested();

private:
    QProgressBar* mProgress;
    QLabel* mSize;
    QPushButton* mCancel;
    bool mFinished = false;
};
