#include "VAConcatenateOrderDialogView.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "VMCEffectListWidget.h"
#include "VMCQtText.h"

using VMCQtText::toQt;

namespace {

// The details of a row (its length and folder), shown under its name.
constexpr int kDetailsRole = Qt::UserRole;

// A row as two lines: the file's place and name, and under it, dimmed, its details.
class FileRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize one = QStyledItemDelegate::sizeHint(option, index);
        return {one.width(), option.fontMetrics.height() * 2 + padding(option) * 3};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& given,
               const QModelIndex& index) const override {
        QStyleOptionViewItem option(given);
        initStyleOption(&option, index);
        const QString name = option.text;
        option.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &option, painter, widget);

        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette::ColorGroup group =
            (option.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
        const int pad = padding(option);
        const int line = option.fontMetrics.height();
        const QRect text = option.rect.adjusted(pad * 2, pad, -pad * 2, -pad);
        painter->save();
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRect(text.left(), text.top(), text.width(), line),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(name, Qt::ElideMiddle, text.width()));
        // The details, under the name and dimmed, stand back from it.
        painter->setPen(option.palette.color(
            group, selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        const QString details = index.data(kDetailsRole).toString();
        const int indent = option.fontMetrics.horizontalAdvance(QStringLiteral("00.  "));
        painter->drawText(
            QRect(text.left() + indent, text.top() + line + pad, text.width() - indent, line),
            Qt::AlignLeft | Qt::AlignVCenter,
            option.fontMetrics.elidedText(details, Qt::ElideMiddle, text.width() - indent));
        painter->restore();
    }

private:
    static int padding(const QStyleOptionViewItem& option) {
        return std::max(2, option.fontMetrics.height() / 5);
    }
};

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

}  // namespace

VAConcatenateOrderDialogView::VAConcatenateOrderDialogView(
    std::shared_ptr<VAConcatenateOrderDialog> dialog, QWidget* parent)
    : QWidget(parent), mDialog(std::move(dialog)) {
    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setWordWrap(true);
    mStatus->setTextFormat(Qt::PlainText);

    mList = new VMCEffectListWidget(this);
    mList->setObjectName(QStringLiteral("files"));
    mList->setAccessibleName(tr("Files to join, in order"));
    mList->setItemDelegate(new FileRowDelegate(mList));
    mList->installEventFilter(this);
    // Alt+F belongs to the window's File menu.
    auto* listLabel = new QLabel(tr("Files in &order, the first at the top:"), this);
    listLabel->setBuddy(mList);

    mUp = button(tr("Move &Up"), QStringLiteral("moveUp"), this);
    mUp->setToolTip(tr("Ctrl+Up in the list"));
    mDown = button(tr("Move Do&wn"), QStringLiteral("moveDown"), this);
    mDown->setToolTip(tr("Ctrl+Down in the list"));
    mRemove = button(tr("&Remove"), QStringLiteral("remove"), this);
    mAdd = button(tr("&Add Files..."), QStringLiteral("addFiles"), this);
    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {mUp, mDown, mRemove}) {
        side->addWidget(b);
    }
    side->addStretch(1);
    side->addWidget(mAdd);
    auto* middle = new QHBoxLayout;
    middle->addWidget(mList, 1);
    middle->addLayout(side);

    mTotal = new QLabel(this);
    mTotal->setObjectName(QStringLiteral("total"));
    auto* buttons = new QDialogButtonBox(this);
    mJoin = buttons->addButton(tr("&Join"), QDialogButtonBox::AcceptRole);
    mJoin->setObjectName(QStringLiteral("join"));
    mJoin->setDefault(true);
    mBack = buttons->addButton(tr("&Back"), QDialogButtonBox::RejectRole);
    mBack->setObjectName(QStringLiteral("back"));
    mBack->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QPushButton* b : {mJoin, mBack}) {
        b->setAutoDefault(true);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mTotal);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mStatus);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(listLabel);
    layout->addLayout(middle, 1);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(bottom);

    connect(mList, &VMCEffectListWidget::moveRequested, this,
            [this](int from, int to) { move(from, to); });
    connect(mList, &VMCEffectListWidget::removeRequested, this, [this](int row) {
        if (mDialog->removeFile(static_cast<std::size_t>(row))) {
            selectRow(std::min(row, mList->count() - 1));
        }
    });
    connect(mList, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(mUp, &QPushButton::clicked, this,
            [this] { move(mList->currentRow(), mList->currentRow() - 1); });
    connect(mDown, &QPushButton::clicked, this,
            [this] { move(mList->currentRow(), mList->currentRow() + 1); });
    connect(mRemove, &QPushButton::clicked, this, [this] {
        const int row = mList->currentRow();
        if (row >= 0 && mDialog->removeFile(static_cast<std::size_t>(row))) {
            selectRow(std::min(row, mList->count() - 1));
        }
    });
    connect(mAdd, &QPushButton::clicked, this, [this] { chooseFilesToAdd(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { mDialog->onProceed(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { mDialog->onBack(); });

    // The keyboard goes through the list, its buttons, then Join and Back as shown.
    QList<QWidget*> chain{mList, mUp, mDown, mRemove, mAdd};
    for (int i = 0; i < buttons->layout()->count(); ++i) {
        if (QWidget* b = buttons->layout()->itemAt(i)->widget()) {
            chain.append(b);
        }
    }
    for (int i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }

    mDialog->setView(this);
    filesChanged();
    selectRow(0);
}

VAConcatenateOrderDialogView::~VAConcatenateOrderDialogView() {
    mDialog->setView(nullptr);
}

void VAConcatenateOrderDialogView::filesChanged() {
    const int row = mList->currentRow();
    {
        const QSignalBlocker block(mList);
        mList->clear();
        const XStrList& files = mDialog->files();
        for (std::size_t i = 0; i < files.size(); ++i) {
            const XStr length = mDialog->lengthText(i);
            const XStr folder = mDialog->folderName(i);
            const XStr details = length.empty() ? folder : length + "  \u00b7  " + folder;
            auto* item = new QListWidgetItem(
                toQt(XStr::format("%zu.  ", i + 1) + mDialog->fileName(i)), mList);
            item->setData(kDetailsRole, toQt(details));
            item->setData(Qt::AccessibleDescriptionRole, toQt(details));
            item->setToolTip(QFile::decodeName(files[i].utf8().c_str()));
            item->setFlags(item->flags() | Qt::ItemIsDragEnabled);
        }
        mList->setCurrentRow(std::min(row, mList->count() - 1));
    }
    mStatus->setText(toQt(mDialog->statusText()));
    mTotal->setText(toQt(mDialog->totalText()));
    updateButtons();
}

void VAConcatenateOrderDialogView::move(int from, int to) {
    if (from >= 0 && to >= 0 &&
        mDialog->moveFile(static_cast<std::size_t>(from), static_cast<std::size_t>(to))) {
        selectRow(to);
    }
}

void VAConcatenateOrderDialogView::selectRow(int row) {
    if (row >= 0 && row < mList->count()) {
        mList->setCurrentRow(row);
    }
    updateButtons();
}

void VAConcatenateOrderDialogView::updateButtons() {
    const int row = mList->currentRow();
    mUp->setEnabled(row > 0);
    mDown->setEnabled(row >= 0 && row + 1 < mList->count());
    mRemove->setEnabled(row >= 0);
    mJoin->setEnabled(mDialog->proceedEnabled());
}

void VAConcatenateOrderDialogView::chooseFilesToAdd() {
    const XStrList& files = mDialog->files();
    const QString start =
        files.empty() ? QString()
                      : QFileInfo(QFile::decodeName(files.back().utf8().c_str())).absolutePath();
    auto* chooser = new QFileDialog(this, tr("Choose Files to Join"), start);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::ExistingFiles);
    chooser->setWindowModality(Qt::WindowModal);
    connect(chooser, &QFileDialog::filesSelected, this, [this](const QStringList& chosen) {
        XStrList paths;
        for (const QString& file : chosen) {
            paths.push_back(VMCQtText::pathFromQt(file));
        }
        const int before = mList->count();
        mDialog->addFiles(paths);
        selectRow(before);
    });
    chooser->open();
    Q_EMIT dialogShown(chooser);
}

bool VAConcatenateOrderDialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int row = mList->currentRow();
        if (key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            move(row, row + (key->key() == Qt::Key_Up ? -1 : 1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VAConcatenateOrderDialogView::keyPressEvent(QKeyEvent* event) {
    // Return joins from anywhere in the panel that does not take it itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (mJoin->isEnabled()) {
            mJoin->click();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
