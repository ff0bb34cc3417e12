#include "VMCMultiEncConfigureEncoderSheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "VADSPList.h"
#include "VMCCheckingFilenamesProgress.h"
#include "VMCCodecLogos.h"
#include "VMCEffectChainView.h"
#include "VMCEncoderSetupParts.h"
#include "VMCFileNaming.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPageWidget.h"
#include "VMCQtText.h"

using VMCQtText::toQt;

namespace {

// The encoders the sheet offers, as the sheet declares them.
VVCControl encoderControl(const VMCMultiEncConfigureEncoder& sheet) {
    for (VVCControl& control : sheet.pageView()) {
        if (control.id == VMCMultiEncConfigureEncoder::kEncoderId) {
            return control;
        }
    }
    return {};
}

QString titleFor(const XStr& buttonTitle) {
    const QString title = VMCSheetDialog::sheetTitle(buttonTitle);
    // An entry's own button says only "Settings".
    return title.isEmpty() || title == QLatin1String("Settings") ? QObject::tr("Encoder Settings")
                                                                 : title;
}

}  // namespace

VMCMultiEncConfigureEncoderSheet::VMCMultiEncConfigureEncoderSheet(
    VMCMultiEncConfigureEncoder& sheet, const XStr& title, QWidget* parent)
    : VMCSheetDialog(parent),
      mSheet(&sheet),
      mLocation(sheet.allowSameFolder(), true),
      mEffects(sheet.gplOffered()) {
    setObjectName(QStringLiteral("configureEncoder"));
    setWindowTitle(titleFor(title));
    mEncoder = VMCEncoderSetupParts::makeEncoderPicker(this);
    connect(mEncoder, &QComboBox::activated, this, [this](int index) {
        if (mSheet != nullptr && index >= 0) {
            mSheet->chooseEncoder(VMCQtText::fromQt(mEncoder->itemText(index)));
        }
    });

    QGroupBox* settingsBox = VMCEncoderSetupParts::makeSettingsBox(this, mPageArea);

    mEffects.setChain(sheet.config().dspEffects);
    mEffects.setOnChanged([this] {
        if (mSheet != nullptr) {
            mSheet->setDspEffects(mEffects.chain());
            updateNamingContext();
        }
    });
    mEffectsView = new VMCEffectChainView(mEffects, this);
    QGroupBox* effectsBox = VMCEncoderSetupParts::makeEffectsBox(this, mEffectsView);
    connect(mEffectsView, &VMCEffectChainView::dialogShown, this,
            &VMCMultiEncConfigureEncoderSheet::dialogShown);

    mLocation.setEncoder(sheet.config().encoder);
    if (sheet.config().fileNaming) {
        mLocation.setFileNaming(*sheet.config().fileNaming);
    }
    mLocation.setOnChanged([this] {
        if (mSheet != nullptr && mLocation.fileNaming()) {
            mSheet->setFileNaming(*mLocation.fileNaming());
            updateNamingContext();
        }
    });
    mLocationView = new VMCOutputLocationPickerView(mLocation, this);
    connect(mLocationView, &VMCOutputLocationPickerView::folderChooserShown, this,
            &VMCMultiEncConfigureEncoderSheet::dialogShown);
    connect(mLocationView, &VMCOutputLocationPickerView::namingDialogShown, this,
            &VMCMultiEncConfigureEncoderSheet::dialogShown);
    updateNamingContext();

    const VMCEncoderSetupParts::Rows rows = VMCEncoderSetupParts::makeRows(mEncoder, mLocationView);

    auto* middle = new QHBoxLayout;
    middle->addWidget(settingsBox, 3);
    middle->addWidget(effectsBox, 2);

    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(mButtons, &QDialogButtonBox::accepted, this, &VMCMultiEncConfigureEncoderSheet::accept);
    connect(mButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows.encoder);
    layout->addLayout(middle, 1);
    layout->addLayout(rows.destination);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(mButtons);

    mSheet->setView(this);
    fillEncoderPicker();
    encoderPageChanged();
    // As large as the setup panel the sheet covers.
    resize(sizeHint().expandedTo(
        QSize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 32)));
}

VMCMultiEncConfigureEncoderSheet::~VMCMultiEncConfigureEncoderSheet() {
    detachPage();
}

void VMCMultiEncConfigureEncoderSheet::detachPage() {
    if (mSheet != nullptr) {
        mSheet->setView(nullptr);
        mSheet = nullptr;
    }
    mEffectsView->detach();
    mLocationView->detach();
    mEffects.setOnChanged(nullptr);
    mLocation.setOnChanged(nullptr);
    if (mPageWidget != nullptr) {
        mPageWidget->detachPage();
    }
}

void VMCMultiEncConfigureEncoderSheet::accept() {
    // The destination joins the recent ones, as the setup panel's does on Convert.
    mLocation.saveToRecentList();
    QDialog::accept();
}

void VMCMultiEncConfigureEncoderSheet::endSheet(int /*code*/) {
    // The dialog ended first; its owner ends the sheet.
}

void VMCMultiEncConfigureEncoderSheet::fillEncoderPicker() {
    const QSignalBlocker block(mEncoder);
    const VVCControl encoders = encoderControl(*mSheet);
    mEncoder->clear();
    for (const XStr& name : encoders.items) {
        const XStr logo = VMCCodecLogos::get(name);
        mEncoder->addItem(logo.empty() ? QIcon() : QIcon(QFile::decodeName(logo.utf8().c_str())),
                          toQt(name));
    }
    mEncoder->setCurrentIndex(encoders.value);
}

void VMCMultiEncConfigureEncoderSheet::encoderPageChanged() {
    if (mSheet == nullptr) {
        return;
    }
    {
        const QSignalBlocker block(mEncoder);
        mEncoder->setCurrentIndex(encoderControl(*mSheet).value);
    }
    mLocation.setEncoder(mSheet->config().encoder);
    updateNamingContext();
    mPageWidget = VMCEncoderSetupParts::showPage(mPageArea, mPageWidget, mSheet->encoderPage());
    if (mPageWidget != nullptr) {
        connect(mPageWidget, &VMCPageWidget::sheetOpened, this,
                &VMCMultiEncConfigureEncoderSheet::dialogShown);
        connect(mPageWidget, &VMCPageWidget::pageChanged, this,
                &VMCMultiEncConfigureEncoderSheet::updateNamingContext);
    }
    orderFocus();
}

void VMCMultiEncConfigureEncoderSheet::updateNamingContext() {
    if (mSheet == nullptr) {
        return;
    }
    const VMCMultiEncEntry& entry = mSheet->config();
    VMCDynamicNamingDialogV2_Context context;
    context.encoderName = entry.encoder.name;
    context.encoderSettings = entry.encoderArgsV2.strArgs;
    context.formatExtension =
        VMCCheckingFilenamesProgress::extensionFor(entry.encoder, entry.encoderArgsV2);
    context.dspEffectsString = VADSPList::dspsToString(entry.dspEffects);
    mLocation.setNamingDialogContext(std::move(context));
}

void VMCMultiEncConfigureEncoderSheet::orderFocus() {
    QList<QWidget*> chain{mEncoder};
    if (mPageWidget != nullptr) {
        chain.append(mPageWidget->focusWidgets());
    }
    chain.append(mEffectsView->focusWidgets());
    chain.append(mLocationView->comboBox());
    // The buttons in the order the platform's layout shows them.
    for (int i = 0; i < mButtons->layout()->count(); ++i) {
        if (QWidget* button = mButtons->layout()->itemAt(i)->widget()) {
            chain.append(button);
        }
    }
    for (int i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}
