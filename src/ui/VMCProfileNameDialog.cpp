#include "VMCProfileNameDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "VMCQtText.h"

VMCProfileNameDialog::VMCProfileNameDialog(const XStr& fieldText, const XStr& encoderLabel,
                                           std::function<bool(const XStr&)> accept, QWidget* parent)
    : QDialog(parent), mAccept(std::move(accept)) {
    setWindowTitle(tr("New Profile"));
    setWindowModality(Qt::WindowModal);
    mName = new QLineEdit(VMCQtText::toQt(fieldText), this);
    mName->setObjectName(QStringLiteral("profileName"));
    // Typing replaces the hint in the field.
    mName->selectAll();
    mName->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    auto* encoder = new QLabel(VMCQtText::toQt(encoderLabel), this);
    encoder->setTextFormat(Qt::PlainText);
    encoder->setObjectName(QStringLiteral("encoder"));
    auto* row = new QHBoxLayout;
    row->addWidget(mName, 1);
    row->addWidget(encoder);
    auto* form = new QFormLayout;
    form->addRow(tr("Profile &name:"), row);
    qobject_cast<QLabel*>(form->labelForField(row))->setBuddy(mName);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &VMCProfileNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto updateOK = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!mName->text().trimmed().isEmpty());
    };
    connect(mName, &QLineEdit::textChanged, this, updateOK);
    updateOK();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void VMCProfileNameDialog::accept() {
    if (mName->text().trimmed().isEmpty()) {
        return;
    }
    if (mAccept && !mAccept(VMCQtText::fromQt(mName->text()))) {
        return;
    }
    QDialog::accept();
}
