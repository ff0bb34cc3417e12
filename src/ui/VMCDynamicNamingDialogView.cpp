#include "VMCDynamicNamingDialogView.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "VADisplayText.h"
#include "VMCQtText.h"

using VMCQtText::toQt;

namespace {

// Positions in the field count UTF-16 units, the template's count characters.
std::size_t unitsBefore(const QString& text, int position) {
    return VMCQtText::fromQt(text.left(position)).size();
}

int positionOf(const XStr& text, std::size_t units) {
    return static_cast<int>(toQt(text.left(units)).size());
}

// The template's colours on this palette: black is the text colour, and on a dark
// background the colours are lightened towards it so that they stay readable.
QColor shownColor(const VAStringTools::StyledRun& run, const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    if (run.red == 0 && run.green == 0 && run.blue == 0) {
        return text;
    }
    const QColor color(run.red, run.green, run.blue);
    if (palette.color(QPalette::Window).lightness() >= 128) {
        return color;
    }
    return QColor((color.red() + text.red()) / 2, (color.green() + text.green()) / 2,
                  (color.blue() + text.blue()) / 2);
}

}  // namespace

VMCDynamicNamingDialogView::VMCDynamicNamingDialogView(
    std::shared_ptr<VMCDynamicNamingDialogV2> dialog, QWidget* parent)
    : QDialog(parent), mDialog(std::move(dialog)) {
    setWindowTitle(tr("Dynamic Naming"));
    setWindowModality(Qt::WindowModal);

    mPattern = new QLineEdit(this);
    mPattern->setObjectName(QStringLiteral("template"));
    mPattern->setAccessibleName(tr("Naming template"));
    connect(mPattern, &QLineEdit::textEdited, this, &VMCDynamicNamingDialogView::patternEdited);
    connect(mPattern, &QLineEdit::cursorPositionChanged, this,
            &VMCDynamicNamingDialogView::selectionMoved);
    connect(mPattern, &QLineEdit::selectionChanged, this,
            &VMCDynamicNamingDialogView::selectionMoved);

    using Dialog = VMCDynamicNamingDialogV2;
    mTagButton =
        menuButton(tr("Add T&ag"), QStringLiteral("addTag"), Dialog::tagMenu(), &Dialog::onAddTag);
    mPropertyButton = menuButton(tr("Add &Property"), QStringLiteral("addProperty"),
                                 Dialog::propertyMenu(), &Dialog::onAddProperty);
    mProgrammableButton = menuButton(tr("Add Pr&ogrammable"), QStringLiteral("addProgrammable"),
                                     Dialog::programmableMenu(), &Dialog::onAddProgrammable);
    mPresetsButton = new QPushButton(tr("Pr&esets"), this);
    mPresetsButton->setObjectName(QStringLiteral("presets"));
    mPresetsButton->setAccessibleName(tr("Template presets"));
    mPresetsButton->setAutoDefault(false);
    auto* presets = new QMenu(mPresetsButton);
    for (std::size_t i = 0; i < mDialog->lstExamples().size(); ++i) {
        presets->addAction(VMCQtText::mnemonicSafe(mDialog->lstExamples()[i].label), this,
                           [this, i] {
                               mDialog->setExampleNaming(i);
                               mPattern->setFocus(Qt::OtherFocusReason);
                           });
    }
    mPresetsButton->setMenu(presets);
    auto* menus = new QHBoxLayout;
    menus->addWidget(mTagButton);
    menus->addWidget(mPropertyButton);
    menus->addWidget(mProgrammableButton);
    menus->addStretch(1);
    menus->addWidget(mPresetsButton);

    mDescription = new QLabel(this);
    mDescription->setObjectName(QStringLiteral("description"));
    mDescription->setAccessibleName(tr("Template in words"));
    mDescription->setTextFormat(Qt::RichText);
    mDescription->setWordWrap(true);
    mDescription->setTextInteractionFlags(Qt::TextSelectableByMouse);

    mExample = new QLabel(this);
    mExample->setObjectName(QStringLiteral("example"));
    mExample->setAccessibleName(tr("Example"));
    mExample->setTextFormat(Qt::PlainText);
    mExample->setWordWrap(true);
    mExample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = mExample->font();
    bold.setBold(true);
    mExample->setFont(bold);

    mUseCurrent = new QCheckBox(tr("From the &first file"), this);
    mUseCurrent->setObjectName(QStringLiteral("useCurrent"));
    mUseCurrent->setToolTip(
        tr("The example is named from the first file to convert and its "
           "tags; otherwise from sample tags."));
    mCompilation = new QCheckBox(tr("&Compilation"), this);
    mCompilation->setObjectName(QStringLiteral("compilation"));
    mCompilation->setToolTip(tr("The sample tags are those of a compilation."));
    mMultiDisc = new QCheckBox(tr("&Multi-disc"), this);
    mMultiDisc->setObjectName(QStringLiteral("multiDisc"));
    mMultiDisc->setToolTip(tr("The sample tags are those of a set of several discs."));
    connect(mUseCurrent, &QCheckBox::toggled, this,
            [this](bool on) { mDialog->setExUseCurrentMeta(on); });
    connect(mCompilation, &QCheckBox::toggled, this,
            [this](bool on) { mDialog->setExCompilation(on); });
    connect(mMultiDisc, &QCheckBox::toggled, this,
            [this](bool on) { mDialog->setExMultiDisc(on); });
    auto* switches = new QHBoxLayout;
    switches->addWidget(mUseCurrent);
    switches->addWidget(mCompilation);
    switches->addWidget(mMultiDisc);
    switches->addStretch(1);

    mBase = new QLineEdit(this);
    mBase->setObjectName(QStringLiteral("baseLocation"));
    mBase->setAccessibleName(tr("Base folder"));
    mBase->setToolTip(
        tr("A folder path, \"~/\" for your home folder, or \"/\" with a template "
           "that begins with the source path."));
    connect(mBase, &QLineEdit::textEdited, this,
            [this](const QString& text) { mDialog->setBaseLocation(VMCQtText::pathFromQt(text)); });
    mChoose = new QPushButton(tr("C&hoose..."), this);
    mChoose->setObjectName(QStringLiteral("chooseBase"));
    mChoose->setAccessibleName(tr("Choose the base folder"));
    mChoose->setAutoDefault(false);
    connect(mChoose, &QPushButton::clicked, this, [this] { mDialog->onSetBaseLocation(); });
    mSourceDrive = new QPushButton(tr("Source &Drive"), this);
    mSourceDrive->setObjectName(QStringLiteral("sourceDrive"));
    mSourceDrive->setAccessibleName(tr("Base folder on the source drive"));
    mSourceDrive->setToolTip(
        tr("Names begin at the root, so that \"[origpath]\" rebuilds the sources' folders."));
    mSourceDrive->setAutoDefault(false);
    connect(mSourceDrive, &QPushButton::clicked, this,
            [this] { mDialog->onBaseLocationToSourceDrive(); });
    auto* baseRow = new QHBoxLayout;
    baseRow->addWidget(mBase, 1);
    baseRow->addWidget(mChoose);
    baseRow->addWidget(mSourceDrive);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("&Template:"), mPattern);
    form->addRow(QString(), menus);
    form->addRow(tr("Reads as:"), mDescription);
    form->addRow(tr("Example:"), mExample);
    form->addRow(QString(), switches);
    form->addRow(tr("&Base folder:"), baseRow);
    qobject_cast<QLabel*>(form->labelForField(baseRow))->setBuddy(mBase);

    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mButtons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(mButtons, &QDialogButtonBox::accepted, this, [this] { mDialog->onOK(); });
    connect(mButtons, &QDialogButtonBox::rejected, this, &VMCDynamicNamingDialogView::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(mButtons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 80);

    setTabOrder(mPattern, mTagButton);
    setTabOrder(mTagButton, mPropertyButton);
    setTabOrder(mPropertyButton, mProgrammableButton);
    setTabOrder(mProgrammableButton, mPresetsButton);
    setTabOrder(mPresetsButton, mUseCurrent);
    setTabOrder(mUseCurrent, mCompilation);
    setTabOrder(mCompilation, mMultiDisc);
    setTabOrder(mMultiDisc, mBase);
    setTabOrder(mBase, mChoose);
    setTabOrder(mChoose, mSourceDrive);

    mDialog->setView(this);
    namingDialogChanged();
    mBase->setText(toQt(mDialog->baseLocation()));
    mPattern->setFocus(Qt::OtherFocusReason);
}

VMCDynamicNamingDialogView::~VMCDynamicNamingDialogView() {
    mDialog->setView(nullptr);
}

QPushButton* VMCDynamicNamingDialogView::menuButton(
    const QString& title, const QString& name,
    const std::vector<VMCDynamicNamingDialogV2::MenuItem>& items,
    bool (VMCDynamicNamingDialogV2::*insert)(std::size_t)) {
    auto* button = new QPushButton(title, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    auto* menu = new QMenu(button);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].separator()) {
            menu->addSeparator();
            continue;
        }
        // The labels are menu texts already ("&&" for "&").
        QAction* action = menu->addAction(toQt(items[i].label));
        action->setToolTip(toQt(items[i].text));
        connect(action, &QAction::triggered, this, [this, i, insert] {
            ((*mDialog).*insert)(i);
            // Typing goes on after what was inserted.
            mPattern->setFocus(Qt::OtherFocusReason);
        });
    }
    menu->setToolTipsVisible(true);
    button->setMenu(menu);
    return button;
}

void VMCDynamicNamingDialogView::patternEdited() {
    if (mUpdating) {
        return;
    }
    const QString text = mPattern->text();
    mDialog->setCurPattern(VMCQtText::fromQt(text), unitsBefore(text, mPattern->cursorPosition()));
}

void VMCDynamicNamingDialogView::selectionMoved() {
    if (mUpdating) {
        return;
    }
    const QString text = mPattern->text();
    if (mPattern->hasSelectedText()) {
        const int start = mPattern->selectionStart();
        const std::size_t from = unitsBefore(text, start);
        mDialog->setSelection(from, unitsBefore(text, start + mPattern->selectionLength()) - from);
    } else {
        mDialog->setSelection(unitsBefore(text, mPattern->cursorPosition()), 0);
    }
}

void VMCDynamicNamingDialogView::namingDialogChanged() {
    mUpdating = true;
    const XStr& pattern = mDialog->curPattern();
    if (VMCQtText::fromQt(mPattern->text()) != pattern) {
        mPattern->setText(toQt(pattern));
    }
    if (!mPattern->hasSelectedText()) {
        mPattern->setCursorPosition(positionOf(pattern, mDialog->cursor()));
    }
    mExample->setText(toQt(VADisplayText::escaped(mDialog->example())));
    showDescription();

    const QSignalBlocker blockUse(mUseCurrent);
    const QSignalBlocker blockCompilation(mCompilation);
    const QSignalBlocker blockMulti(mMultiDisc);
    mUseCurrent->setEnabled(mDialog->haveCurrentMeta());
    mUseCurrent->setToolTip(mDialog->haveCurrentMeta()
                                ? tr("The example is named from the first file to convert and "
                                     "its tags; otherwise from sample tags.")
                                : tr("The first file's information has not been gathered yet."));
    mUseCurrent->setChecked(mDialog->exUseCurrentMeta());
    // The sample's switches say nothing about a real file.
    mCompilation->setEnabled(!mDialog->exUseCurrentMeta());
    mCompilation->setChecked(mDialog->exCompilation());
    mMultiDisc->setEnabled(!mDialog->exUseCurrentMeta());
    mMultiDisc->setChecked(mDialog->exMultiDisc());

    if (VMCQtText::pathFromQt(mBase->text()) != mDialog->baseLocation() && !mBase->hasFocus()) {
        mBase->setText(toQt(mDialog->baseLocation()));
    }
    mButtons->button(QDialogButtonBox::Ok)->setEnabled(mDialog->okEnabled());
    mUpdating = false;
}

void VMCDynamicNamingDialogView::showDescription() {
    QString html = QStringLiteral("<span style=\"white-space: pre-wrap\">");
    const QPalette& shown = palette();
    for (const VAStringTools::StyledRun& run : mDialog->description()) {
        if (run.text.empty()) {
            continue;
        }
        html += QStringLiteral("<span style=\"color: %1\">%2</span>")
                    .arg(shownColor(run, shown).name(),
                         toQt(VADisplayText::escaped(run.text)).toHtmlEscaped());
    }
    html += QStringLiteral("</span>");
    mDescription->setText(html);
}

void VMCDynamicNamingDialogView::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        showDescription();
    }
}

void VMCDynamicNamingDialogView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The keyboard starts at the end of the template, nothing selected: an element chosen
    // from a menu is added, not put in the template's place.
    // (The window hands the keyboard over after it is shown.)
    QTimer::singleShot(0, this, [this] {
        mPattern->deselect();
        mPattern->setCursorPosition(positionOf(mDialog->curPattern(), mDialog->cursor()));
    });
}

void VMCDynamicNamingDialogView::runBaseFolderChooser(const XStr& startFolder) {
    auto* chooser = new QFileDialog(this, tr("Choose the Base Folder"),
                                    QFile::decodeName(startFolder.utf8().c_str()));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setWindowModality(Qt::WindowModal);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        mDialog->baseFolderChosen(VMCQtText::pathFromQt(folder));
        mBase->setText(toQt(mDialog->baseLocation()));
    });
    chooser->open();
    Q_EMIT folderChooserShown(chooser);
}

void VMCDynamicNamingDialogView::closeDialog(int code) {
    QDialog::done(code == VMCDynamicNamingDialogV2::kOK ? QDialog::Accepted : QDialog::Rejected);
}

void VMCDynamicNamingDialogView::reject() {
    if (!mDialog->didEndDialog()) {
        mDialog->onCancel();
        return;
    }
    QDialog::reject();
}
