#include "VMCEffectChainView.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "VADSPLogos.h"
#include "VMCAlert.h"
#include "VMCDSPPresetFile.h"
#include "VMCDSPSettingsWindow.h"
#include "VMCEffectListWidget.h"
#include "VMCQtText.h"
#include "VVCConfigFFmpegWindow.h"

using VMCQtText::toQt;

namespace {

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    // Return presses the button that has the keyboard, as in dialogs.
    b->setAutoDefault(true);
    return b;
}

QIcon logo(const XStr& path) {
    return path.empty() ? QIcon() : QIcon(QFile::decodeName(path.utf8().c_str()));
}

}  // namespace

VMCEffectChainView::VMCEffectChainView(VMCEffectChainEditor& editor, QWidget* parent)
    : QWidget(parent), mEditor(&editor) {
    mList = new VMCEffectListWidget(this);
    mList->setObjectName(QStringLiteral("effects"));
    mList->setAccessibleName(tr("Effects"));
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    mList->setIconSize(QSize(icon, icon));

    mAdd = button(tr("&Add"), QStringLiteral("addEffect"), this);
    mAddMenu = new QMenu(mAdd);
    mAdd->setMenu(mAddMenu);
    mSettings = button(tr("Se&ttings..."), QStringLiteral("effectSettings"), this);
    mRemove = button(tr("&Remove"), QStringLiteral("removeEffect"), this);
    mUp = button(tr("Move &Up"), QStringLiteral("moveEffectUp"), this);
    mDown = button(tr("Move Do&wn"), QStringLiteral("moveEffectDown"), this);
    mLoad = button(tr("&Load..."), QStringLiteral("loadEffects"), this);
    mLoad->setToolTip(tr("Replace the effects by a saved preset"));
    mSave = button(tr("Sa&ve..."), QStringLiteral("saveEffects"), this);
    mSave->setToolTip(tr("Save the effects as a preset"));

    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {mAdd, mSettings, mRemove, mUp, mDown}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(mLoad);
    buttons->addWidget(mSave);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mList, 1);
    layout->addLayout(buttons);

    connect(mSettings, &QPushButton::clicked, this, [this] {
        if (mEditor != nullptr && selectedRow() >= 0) {
            mEditor->openSettings(static_cast<std::size_t>(selectedRow()));
        }
    });
    connect(mList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (mEditor != nullptr) {
            mEditor->openSettings(static_cast<std::size_t>(mList->row(item)));
        }
    });
    auto remove = [this](int row) {
        if (mEditor != nullptr && row >= 0 &&
            mEditor->removeEffect(static_cast<std::size_t>(row))) {
            selectRow(std::min(row, mList->count() - 1));
        }
    };
    connect(mRemove, &QPushButton::clicked, this, [this, remove] { remove(selectedRow()); });
    connect(mList, &VMCEffectListWidget::removeRequested, this, remove);
    auto move = [this](int from, int to) {
        if (mEditor != nullptr && from >= 0 && to >= 0 &&
            mEditor->moveEffect(static_cast<std::size_t>(from), static_cast<std::size_t>(to))) {
            selectRow(to);
        }
    };
    connect(mList, &VMCEffectListWidget::moveRequested, this, move);
    connect(mUp, &QPushButton::clicked, this,
            [this, move] { move(selectedRow(), selectedRow() - 1); });
    connect(mDown, &QPushButton::clicked, this,
            [this, move] { move(selectedRow(), selectedRow() + 1); });
    connect(mLoad, &QPushButton::clicked, this, [this] {
        if (mEditor != nullptr) {
            mEditor->askLoadPreset();
        }
    });
    connect(mSave, &QPushButton::clicked, this, [this] {
        if (mEditor != nullptr) {
            mEditor->askSavePreset();
        }
    });
    connect(mList, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });

    buildAddMenu();
    mEditor->setView(this);
    effectsChanged();
}

VMCEffectChainView::~VMCEffectChainView() {
    detach();
}

void VMCEffectChainView::detach() {
    if (mEditor != nullptr) {
        mEditor->setView(nullptr);
        mEditor = nullptr;
    }
}

QList<QWidget*> VMCEffectChainView::focusWidgets() const {
    return {mList, mAdd, mSettings, mRemove, mUp, mDown, mLoad, mSave};
}

void VMCEffectChainView::buildAddMenu() {
    for (const VADSPMenu::Item& item : mEditor->addMenu()) {
        if (item.kind == VADSPMenu::Item::Kind::kSeparator) {
            mAddMenu->addSeparator();
            continue;
        }
        QAction* action =
            mAddMenu->addAction(logo(item.logoPath), VMCQtText::mnemonicSafe(item.title));
        connect(action, &QAction::triggered, this, [this, item] {
            if (mEditor != nullptr && mEditor->chooseAddMenuItem(item) &&
                item.kind == VADSPMenu::Item::Kind::kEffect) {
                selectRow(mList->count() - 1);
            }
        });
    }
}

int VMCEffectChainView::selectedRow() const {
    return mList->currentRow();
}

void VMCEffectChainView::selectRow(int row) {
    if (row >= 0 && row < mList->count()) {
        mList->setCurrentRow(row);
    }
    updateButtons();
}

void VMCEffectChainView::updateButtons() {
    const int row = selectedRow();
    const bool idle = mEditor != nullptr && !mEditor->settingsOpen();
    mSettings->setEnabled(idle && row >= 0);
    mRemove->setEnabled(idle && row >= 0);
    mUp->setEnabled(idle && row > 0);
    mDown->setEnabled(idle && row >= 0 && row + 1 < mList->count());
    mSave->setEnabled(idle);
    mLoad->setEnabled(idle);
}

void VMCEffectChainView::effectsChanged() {
    if (mEditor == nullptr) {
        return;
    }
    const int row = selectedRow();
    const QSignalBlocker block(mList);
    mList->clear();
    const VADSPChain& chain = mEditor->chain();
    for (std::size_t i = 0; i < chain.size(); ++i) {
        auto* item =
            new QListWidgetItem(logo(VADSPLogos::get(chain[i].name)), toQt(chain[i].name), mList);
        item->setToolTip(toQt(mEditor->effectDetails(i)));
        item->setFlags(item->flags() | Qt::ItemIsDragEnabled);
    }
    mList->setCurrentRow(std::min(row, mList->count() - 1));
    updateButtons();
}

void VMCEffectChainView::runEffectSettings(std::unique_ptr<VMCDSPPage> page,
                                           const XStr& effectName) {
    auto* window = new VMCDSPSettingsWindow(std::move(page), effectName, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    connect(window, &QDialog::finished, this, [this, window](int result) {
        if (mEditor != nullptr) {
            mEditor->effectSettingsDone(result == QDialog::Accepted, window->dspArgs());
        }
    });
    updateButtons();
    window->open();
    Q_EMIT dialogShown(window);
}

void VMCEffectChainView::runPresetChooser(bool save, const XStr& title) {
    const QString filter =
        tr("Effect presets (*.%1)").arg(QString::fromUtf8(VMCDSPPresetFile::kExtension));
    auto* dialog = new QFileDialog(this, toQt(title), QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(QString::fromUtf8(VMCDSPPresetFile::kExtension));
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    connect(dialog, &QFileDialog::fileSelected, this, [this, save](const QString& file) {
        if (mEditor == nullptr) {
            return;
        }
        const XStr path = VMCQtText::pathFromQt(file);
        if (save) {
            mEditor->savePresetTo(path);
        } else {
            mEditor->loadPresetFrom(path);
        }
    });
    dialog->open();
    Q_EMIT dialogShown(dialog);
}

void VMCEffectChainView::showAlert(const XStr& message) {
    Q_EMIT dialogShown(VMCAlert::show(this, message));
}

void VMCEffectChainView::showFFmpegInstall() {
    Q_EMIT dialogShown(VVCConfigFFmpegWindow::showPanel(window()));
}
