#include "VVCDownloadFFmpegSheet.h"

#include <algorithm>
#include <cstdint>

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "VAStringTools.h"
#include "VMCQtText.h"

namespace {

// The bar counts in these steps: sizes beyond what an int holds still fit.
constexpr int64_t kBarUnit = 1024;

}  // namespace

VVCDownloadFFmpegSheet::VVCDownloadFFmpegSheet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("downloadFFmpeg"));
    setWindowTitle(tr("Downloading FFmpeg"));
    setWindowModality(Qt::WindowModal);

    auto* heading = new QLabel(tr("Downloading FFmpeg from the Vantaro web site..."), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    mProgress = new QProgressBar(this);
    mProgress->setObjectName(QStringLiteral("progress"));
    mProgress->setAccessibleName(tr("Download progress"));
    mProgress->setTextVisible(false);
    // Moving back and forth until the server has said how much there is.
    mProgress->setRange(0, 0);
    mProgress->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    mSize = new QLabel(tr("Connecting..."), this);
    mSize->setObjectName(QStringLiteral("size"));
    mSize->setForegroundRole(QPalette::PlaceholderText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    mCancel = buttons->button(QDialogButtonBox::Cancel);
    mCancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(mProgress);
    layout->addWidget(mSize);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void VVCDownloadFFmpegSheet::showProgress(int64_t received, int64_t total) {
    const XStr got =
        VAStringTools::formatFileSize(static_cast<uint64_t>(std::max<int64_t>(0, received)));
    if (total <= 0) {
        mProgress->setRange(0, 0);
        mSize->setText(VMCQtText::toQt(got));
        return;
    }
    mProgress->setRange(0, static_cast<int>(std::min<int64_t>(total / kBarUnit, INT32_MAX)));
    mProgress->setValue(static_cast<int>(std::min<int64_t>(
        std::clamp<int64_t>(received, 0, total) / kBarUnit, mProgress->maximum())));
    mSize->setText(tr("%1 of %2")
                       .arg(VMCQtText::toQt(got), VMCQtText::toQt(VAStringTools::formatFileSize(
                                                      static_cast<uint64_t>(total)))));
}

void VVCDownloadFFmpegSheet::finish() {
    if (mFinished) {
        return;
    }
    mFinished = true;
    QDialog::reject();
}

void VVCDownloadFFmpegSheet::reject() {
    if (mFinished) {
        return;
    }
    mFinished = true;
    // Gone before the owner hears of it: what the owner says next (the alert) belongs to
    // the window, not to a sheet on its way out.
    QDialog::reject();
    Q_EMIT cancelRequested();
}
