#include "VMCAlert.h"

#include <QApplication>

#include "VMCPanelHostBase.h"
#include "VMCQtText.h"

namespace VMCAlert {

namespace {

QMessageBox* open(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    // An alert raised while a sheet is open belongs to the sheet.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal != nullptr && parent != nullptr && modal->window() != parent->window()
                         ? modal
                         : parent;
    auto* box = new QMessageBox(icon, QString::fromUtf8(VMCPanelHostBase::kApplicationName), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    return box;
}

}  // namespace

QMessageBox* show(QWidget* parent, const XStr& message) {
    return open(parent, QMessageBox::Warning, VMCQtText::toQt(message));
}

}  // namespace VMCAlert
