#include "VVCConfigFFmpegWindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "VADisplayText.h"
#include "VALocateFFmpeg.h"
#include "VMCAlert.h"
#include "VMCQtText.h"
#include "VVCDownloadFFmpegSheet.h"

namespace {

QPlainTextEdit* makeText(const QString& name, const QString& accessibleName, QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setObjectName(name);
    text->setAccessibleName(accessibleName);
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    // FFmpeg lines its tables up in columns: they stay lined up, long ones scroll.
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QString::fromUtf8(VVCConfigFFmpeg::kTextFont));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // At the size of the window's own text: 13 points on this desktop's scale would stand
    // out and put half of each table line out of sight.
    font.setPointSizeF(text->font().pointSizeF());
    text->setFont(font);
    return text;
}

QString shown(const XStr& text) {
    // What an FFmpeg says is shown, never acted on: no control character reaches the view.
    return QString::fromStdString(VADisplayText::linesUtf8(text.utf8()));
}

}  // namespace

VVCConfigFFmpegWindow::VVCConfigFFmpegWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("configFFmpeg"));
    setWindowTitle(tr("FFmpeg"));

    auto* options = new QGroupBox(tr("FFmpeg used for converting"), this);
    mInternal = new QRadioButton(tr("Use the &internal FFmpeg"), options);
    mInternal->setObjectName(QStringLiteral("useInternal"));
    mAuto =
        new QRadioButton(tr("&Download FFmpeg from the Vantaro web site and install it"), options);
    mAuto->setObjectName(QStringLiteral("autoInstall"));
    mCustom = new QRadioButton(tr("Use an FFmpeg of your &choice..."), options);
    mCustom->setObjectName(QStringLiteral("useExternal"));
    mCustom->setToolTip(
        tr("A program named \"ffmpeg\", or a .tar.gz or .tar.bz2 archive that "
           "holds one at its top or in a \"bin\" folder."));
    mInUse = new QLabel(options);
    mInUse->setObjectName(QStringLiteral("inUse"));
    mInUse->setForegroundRole(QPalette::PlaceholderText);
    mInUse->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* optionsLayout = new QVBoxLayout(options);
    for (const auto& [button, option] :
         {std::pair{mInternal, Option::kInternal}, std::pair{mAuto, Option::kAuto},
          std::pair{mCustom, Option::kCustom}}) {
        // Each button is an action: the arrow keys only move between them, Space acts.
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this,
                [this, option = option] { optionClicked(option); });
        optionsLayout->addWidget(button);
    }
    optionsLayout->addWidget(mInUse);
    // A setup panel that is open keeps the encoders it was made with.
    auto* note = new QLabel(tr("Encoders and effects another FFmpeg brings are offered for the "
                               "files you choose next."),
                            options);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    optionsLayout->addWidget(note);

    mTabs = new QTabWidget(this);
    mTabs->setObjectName(QStringLiteral("texts"));
    mTabs->setAccessibleName(tr("What the FFmpeg says"));
    mVersion = makeText(QStringLiteral("version"), tr("Version"), mTabs);
    mLicence = makeText(QStringLiteral("licence"), tr("Licence"), mTabs);
    mCodecs = makeText(QStringLiteral("codecs"), tr("Codecs"), mTabs);
    mTabs->addTab(mVersion, tr("&Version"));
    mTabs->addTab(mLicence, tr("&Licence"));
    mTabs->addTab(mCodecs, tr("C&odecs"));
    const QFontMetrics fixed(mVersion->font());
    // Most lines of the codecs table whole, and a screenful of them.
    mTabs->setMinimumSize(fixed.averageCharWidth() * 100, fixed.lineSpacing() * 20);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(options);
    layout->addWidget(mTabs, 1);
    layout->addWidget(buttons);

    mPanel = VVCConfigFFmpeg::create(*this);
    mPanel->setChangeHandler([this] { Q_EMIT ffmpegChanged(); });
    mPanel->panelDidLoad();
}

VVCConfigFFmpegWindow::~VVCConfigFFmpegWindow() {
    // A download or a refresh still running ends here, before the widgets go.
    mPanel.reset();
}

VVCConfigFFmpegWindow* VVCConfigFFmpegWindow::showPanel(QWidget* parent) {
    static QPointer<VVCConfigFFmpegWindow> open;
    if (open.isNull()) {
        open = new VVCConfigFFmpegWindow(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

QRadioButton* VVCConfigFFmpegWindow::optionButton(Option option) const {
    switch (option) {
        case Option::kInternal:
            return mInternal;
        case Option::kAuto:
            return mAuto;
        case Option::kCustom:
            return mCustom;
    }
    return nullptr;
}

void VVCConfigFFmpegWindow::optionClicked(Option option) {
    if (mPanel->openInProgress()) {
        // The click changed the button; what is shown stays.
        showOption(mShown);
        return;
    }
    // The choice shows while its sheet or chooser is open; the panel says what came of it.
    showOption(option);
    switch (option) {
        case Option::kInternal:
            mPanel->useInternal();
            break;
        case Option::kAuto:
            mPanel->autoInstall();
            break;
        case Option::kCustom:
            mPanel->useExternal();
            break;
    }
}

void VVCConfigFFmpegWindow::showOption(Option option) {
    mShown = option;
    for (const Option each : {Option::kInternal, Option::kAuto, Option::kCustom}) {
        optionButton(each)->setChecked(each == option);
    }
    mInUse->setText(
        tr("In use: %1")
            .arg(VMCQtText::toQt(VADisplayText::escaped(VALocateFFmpeg::locateFFmpeg()))));
}

void VVCConfigFFmpegWindow::showTexts(const XStr& version, const XStr& licence,
                                      const XStr& codecs) {
    mVersion->setPlainText(shown(version));
    mLicence->setPlainText(shown(licence));
    mCodecs->setPlainText(shown(codecs));
}

void VVCConfigFFmpegWindow::openDownloadSheet() {
    mSheet = new VVCDownloadFFmpegSheet(this);
    mSheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(mSheet, &VVCDownloadFFmpegSheet::cancelRequested, this, [this] {
        mSheet = nullptr;
        mPanel->cancelDownload();
    });
    mSheet->open();
    Q_EMIT dialogShown(mSheet);
}

void VVCConfigFFmpegWindow::showDownloadProgress(int64_t received, int64_t total) {
    if (mSheet != nullptr) {
        mSheet->showProgress(received, total);
    }
}

void VVCConfigFFmpegWindow::closeDownloadSheet() {
    if (mSheet != nullptr) {
        mSheet->finish();
        mSheet = nullptr;
    }
}

void VVCConfigFFmpegWindow::openChooser() {
    auto* chooser =
        new QFileDialog(this, tr("Choose FFmpeg"), QDir::homePath(),
                        tr("FFmpeg, or an archive holding it (ffmpeg *.tar.gz *.tar.bz2)"));
    chooser->setObjectName(QStringLiteral("chooseFFmpeg"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::ExistingFile);
    chooser->setWindowModality(Qt::WindowModal);
    connect(chooser, &QFileDialog::finished, this, [this, chooser](int result) {
        const QStringList chosen = chooser->selectedFiles();
        mPanel->chooserEnded(result == QDialog::Accepted && !chosen.isEmpty()
                                 ? VMCQtText::pathFromQt(chosen.first())
                                 : XStr());
    });
    chooser->open();
    Q_EMIT dialogShown(chooser);
}

void VVCConfigFFmpegWindow::showAlert(const XStr& text) {
    Q_EMIT dialogShown(VMCAlert::show(this, text));
}
