#include "VVCConfigOptionsView.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "VAOptionsFileNameSheet.h"
#include "VVCConfigFFmpegWindow.h"

VVCConfigOptionsView::VVCConfigOptionsView(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Preferences"));
    setObjectName(QStringLiteral("preferences"));
    mOptions.setView(this);
    mOptions.viewDidLoad();

    mProfiles = new QCheckBox(tr("Allow user &profiles"), this);
    mProfiles->setObjectName(QStringLiteral("enableProfiles"));
    mProfiles->setToolTip(
        tr("The encoder list offers profiles of your own; taken at the next "
           "set of files."));
    mAudioOnly = new QCheckBox(tr("Show &audio-only formats in the batch converter"), this);
    mAudioOnly->setObjectName(QStringLiteral("showAudioOnly"));
    mBeta = new QCheckBox(tr("Check for &beta updates"), this);
    mBeta->setObjectName(QStringLiteral("checkForBetaUpdates"));
    mDebug = new QCheckBox(tr("&Debug log of every FFmpeg run, until the program ends"), this);
    mDebug->setObjectName(QStringLiteral("converterDebug"));
    mDebug->setToolTip(
        tr("Each conversion started from now on writes FFmpeg's whole output to "
           "a log file in your Documents folder."));
    mProfiles->setChecked(mOptions.enableProfiles());
    mAudioOnly->setChecked(mOptions.showAudioOnly());
    mAudioOnly->setVisible(!mOptions.suppressShowAudioOnly());
    mBeta->setChecked(mOptions.checkForBetaUpdates());
    mBeta->setVisible(!mOptions.suppressCheckForBetaUpdates());
    mDebug->setChecked(VVCConfigOptions::converterDebug());
    connect(mProfiles, &QCheckBox::toggled, this,
            [this](bool on) { mOptions.setEnableProfiles(on); });
    connect(mAudioOnly, &QCheckBox::toggled, this,
            [this](bool on) { mOptions.setShowAudioOnly(on); });
    connect(mBeta, &QCheckBox::toggled, this,
            [this](bool on) { mOptions.setCheckForBetaUpdates(on); });
    connect(mDebug, &QCheckBox::toggled, this,
            [](bool on) { VVCConfigOptions::setConverterDebug(on); });

    auto* names = new QGroupBox(tr("Output Names"), this);
    mCharacters = new QPushButton(tr("File Name &Characters..."), names);
    mCharacters->setObjectName(QStringLiteral("fileNameCharacters"));
    mCharacters->setAutoDefault(false);
    connect(mCharacters, &QPushButton::clicked, this,
            [this] { mOptions.onSetRestrictedCharacters(); });
    auto* namesLayout = new QVBoxLayout(names);
    namesLayout->addWidget(mCharacters, 0, Qt::AlignLeft);

    auto* converting = new QGroupBox(tr("Converting"), this);
    mFFmpeg = new QPushButton(tr("&FFmpeg..."), converting);
    mFFmpeg->setObjectName(QStringLiteral("configFFmpeg"));
    mFFmpeg->setAutoDefault(false);
    mFFmpeg->setToolTip(tr("Which FFmpeg converts, and what it offers."));
    // The FFmpeg window outlives the preferences: it belongs to the converter's window.
    connect(mFFmpeg, &QPushButton::clicked, this, [this] {
        Q_EMIT sheetShown(VVCConfigFFmpegWindow::showPanel(
            parentWidget() != nullptr ? parentWidget()->window() : this));
    });
    auto* convertingLayout = new QVBoxLayout(converting);
    convertingLayout->addWidget(mFFmpeg, 0, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(mProfiles), static_cast<QWidget*>(mAudioOnly),
                       static_cast<QWidget*>(mBeta), static_cast<QWidget*>(mDebug)}) {
        layout->addWidget(w);
    }
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(names);
    layout->addWidget(converting);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

VVCConfigOptionsView::~VVCConfigOptionsView() {
    // Closed or not, the window writes what it shows when it goes.
    if (!mWritten) {
        mOptions.viewWillDisappear();
    }
    mOptions.setView(nullptr);
}

VVCConfigOptionsView* VVCConfigOptionsView::showOptions(QWidget* parent) {
    static QPointer<VVCConfigOptionsView> open;
    if (open.isNull()) {
        open = new VVCConfigOptionsView(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

void VVCConfigOptionsView::runFileNameOptions() {
    auto* sheet = new VAOptionsFileNameSheet(this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
    Q_EMIT sheetShown(sheet);
}

void VVCConfigOptionsView::showEvent(QShowEvent* event) {
    mWritten = false;
    QDialog::showEvent(event);
}

void VVCConfigOptionsView::done(int result) {
    mOptions.viewWillDisappear();
    mWritten = true;
    QDialog::done(result);
}
