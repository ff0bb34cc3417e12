#include "VMCEncoderSettingsPopupSheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "VMCPageWidget.h"
#include "VMCQtText.h"

VMCEncoderSettingsPopupSheet::VMCEncoderSettingsPopupSheet(const XStr& encoderName,
                                                           const VAEncoderArgs& args,
                                                           QWidget* parent)
    : QDialog(parent), mArgs(args), mPopup(encoderName, mArgs, this) {
    setObjectName(QStringLiteral("encoderSettings"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("%1 Settings").arg(VMCQtText::toQt(encoderName)));
    auto* layout = new QVBoxLayout(this);
    if (mPopup.viewDidLoad()) {
        mPageWidget = new VMCPageWidget(*mPopup.page(), this);
        connect(mPageWidget, &VMCPageWidget::sheetOpened, this,
                &VMCEncoderSettingsPopupSheet::dialogShown);
        layout->addWidget(mPageWidget);
    } else {
        auto* none = new QLabel(tr("No settings to choose."), this);
        none->setObjectName(QStringLiteral("noSettings"));
        layout->addWidget(none);
    }
    layout->addStretch(1);
    layout->addSpacing(fontMetrics().height() / 2);
    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(mButtons, &QDialogButtonBox::accepted, this, &VMCEncoderSettingsPopupSheet::accept);
    connect(mButtons, &QDialogButtonBox::rejected, this, &VMCEncoderSettingsPopupSheet::reject);
    layout->addWidget(mButtons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

VMCEncoderSettingsPopupSheet::~VMCEncoderSettingsPopupSheet() {
    if (mPageWidget != nullptr) {
        mPageWidget->detachPage();
    }
}

void VMCEncoderSettingsPopupSheet::accept() {
    mPopup.onOK();
}

void VMCEncoderSettingsPopupSheet::reject() {
    // Escape and the window's close button cancel too.
    mPopup.onCancel();
}

void VMCEncoderSettingsPopupSheet::endSheet(int code) {
    done(code == 1 ? QDialog::Accepted : QDialog::Rejected);
}
