#include "VMCDSPSettingsWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "VMCPageWidget.h"
#include "VMCQtText.h"

VMCDSPSettingsWindow::VMCDSPSettingsWindow(std::unique_ptr<VMCDSPPage> page, const XStr& effectName,
                                           QWidget* parent)
    : QDialog(parent), mPage(std::move(page)) {
    setWindowTitle(VMCQtText::toQt(effectName));
    mPageWidget = new VMCPageWidget(*mPage, this);

    mObjection = new QWidget(this);
    auto* icon = new QLabel(mObjection);
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                        .pixmap(iconSize, iconSize));
    mObjectionText = new QLabel(mObjection);
    mObjectionText->setTextFormat(Qt::PlainText);
    mObjectionText->setWordWrap(true);
    auto* objectionRow = new QHBoxLayout(mObjection);
    objectionRow->setContentsMargins(0, 0, 0, 0);
    objectionRow->addWidget(icon, 0, Qt::AlignTop);
    objectionRow->addWidget(mObjectionText, 1);
    mObjection->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &VMCDSPSettingsWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A change may be what the objection asked for; it is checked again at OK.
    connect(mPageWidget, &VMCPageWidget::pageChanged, mObjection, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mPageWidget);
    layout->addStretch(1);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(mObjection);
    layout->addWidget(buttons);
    // Wide enough for the buttons and a title bar, in the user's font.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

VMCDSPSettingsWindow::~VMCDSPSettingsWindow() {
    // The page widget lets go of the page before the page goes.
    delete mPageWidget;
}

QString VMCDSPSettingsWindow::objection() const {
    return mObjection->isHidden() ? QString() : mObjectionText->text();
}

void VMCDSPSettingsWindow::accept() {
    XStr why;
    if (!mPage->dspValidate(&why)) {
        mObjectionText->setText(VMCQtText::toQt(why));
        mObjection->show();
        return;
    }
    QDialog::accept();
}
