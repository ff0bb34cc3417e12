#include "VMCPageSheetDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "VMCPageWidget.h"
#include "VMCQtText.h"

namespace {

// "Advanced..." on the button is "Advanced" on the sheet.
QString sheetTitle(const XStr& buttonTitle) {
    QString title = VMCQtText::toQt(buttonTitle);
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026))) {
        title.chop(1);
    }
    return title;
}

}  // namespace

VMCPageSheetDialog::VMCPageSheetDialog(VMCPage& sheet, const XStr& title, QWidget* parent)
    : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(sheetTitle(title));
    mPageWidget = new VMCPageWidget(sheet, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mPageWidget);
    layout->addStretch(1);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
