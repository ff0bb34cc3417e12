#include "VMCNamingTemplateDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "VMCFriendlyPath.h"
#include "VMCQtText.h"

using VMCQtText::toQt;

VMCNamingTemplateDialog::VMCNamingTemplateDialog(
    const VMCOutputLocationPickerV2::DynamicNamingRequest& request, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Dynamic Naming"));
    setWindowModality(Qt::WindowModal);

    mPattern = new QLineEdit(toQt(request.curPattern), this);
    mPattern->setObjectName(QStringLiteral("template"));
    mBase = new QLineEdit(toQt(request.baseLocation), this);
    mBase->setObjectName(QStringLiteral("baseLocation"));
    auto* choose = new QPushButton(tr("C&hoose..."), this);
    choose->setAccessibleName(tr("Choose the base folder"));
    auto* baseRow = new QHBoxLayout;
    baseRow->addWidget(mBase, 1);
    baseRow->addWidget(choose);

    auto* note = new QLabel(
        tr("Elements in brackets, such as [origfilename] or [title], are filled in for each file; "
           "\"/\" starts a folder."),
        this);
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    note->setForegroundRole(QPalette::PlaceholderText);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("&Template:"), mPattern);
    form->addRow(tr("&Base folder:"), baseRow);
    qobject_cast<QLabel*>(form->labelForField(baseRow))->setBuddy(mBase);
    form->addRow(QString(), note);

    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(mButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(mButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mPattern, &QLineEdit::textChanged, this, &VMCNamingTemplateDialog::updateOK);
    connect(mBase, &QLineEdit::textChanged, this, &VMCNamingTemplateDialog::updateOK);
    connect(choose, &QPushButton::clicked, this, &VMCNamingTemplateDialog::chooseFolder);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(mButtons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    updateOK();
}

XStr VMCNamingTemplateDialog::pattern() const {
    return VMCQtText::fromQt(mPattern->text());
}

XStr VMCNamingTemplateDialog::baseLocation() const {
    return VMCQtText::pathFromQt(mBase->text());
}

void VMCNamingTemplateDialog::updateOK() {
    const bool ready = !mPattern->text().trimmed().isEmpty() &&
                       VMCOutputLocationPickerV2::fixBaseLocationURL(baseLocation()).has_value();
    mButtons->button(QDialogButtonBox::Ok)->setEnabled(ready);
}

void VMCNamingTemplateDialog::chooseFolder() {
    const std::optional<XStr> start = VMCOutputLocationPickerV2::fixBaseLocationURL(baseLocation());
    auto* dialog = new QFileDialog(this, tr("Choose the Base Folder"),
                                   start ? QFile::decodeName(start->utf8().c_str()) : QString());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        const XStr path = VMCQtText::pathFromQt(folder);
        const XStr shown = VMCFriendlyPath::friendlyNameExt(path);
        mBase->setText(toQt(shown.empty() ? path : shown));
    });
    dialog->open();
    Q_EMIT folderChooserShown(dialog);
}
