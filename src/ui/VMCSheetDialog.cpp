#include "VMCSheetDialog.h"

#include "VMCMultiEncConfigureEncoderSheet.h"
#include "VMCPageSheetDialog.h"
#include "VMCQtText.h"

VMCSheetDialog::VMCSheetDialog(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
}

VMCSheetDialog* VMCSheetDialog::create(VMCPage& sheet, const XStr& title, QWidget* parent) {
    if (auto* configure = dynamic_cast<VMCMultiEncConfigureEncoder*>(&sheet)) {
        return new VMCMultiEncConfigureEncoderSheet(*configure, title, parent);
    }
    return new VMCPageSheetDialog(sheet, title, parent);
}

QString VMCSheetDialog::sheetTitle(const XStr& buttonTitle) {
    QString title = VMCQtText::toQt(buttonTitle);
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026))) {
        title.chop(1);
    }
    return title;
}
