#include "VMCPageSheetDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "VMCPageWidget.h"

VMCPageSheetDialog::VMCPageSheetDialog(VMCPage& sheet, const XStr& title, QWidget* parent)
    : VMCSheetDialog(parent) {
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

void VMCPageSheetDialog::detachPage() {
    mPageWidget->detachPage();
}
