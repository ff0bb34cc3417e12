#include "VMCEncoderSetupParts.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "VMCEffectChainView.h"
#include "VMCEffectListWidget.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPageWidget.h"

namespace {

// Wide enough for the longest encoder name without making the window wide.
constexpr int kEncoderCharacters = 32;

// Sends the effects group's mnemonic to the list, not back to the button used last.
class EffectsMnemonic : public QObject {
public:
    EffectsMnemonic(VMCEffectChainView* view, QObject* parent) : QObject(parent), mView(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            mView->list()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    VMCEffectChainView* mView;
};

QFormLayout* makeRow(const QString& label, QWidget* field) {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(label, field);
    return form;
}

}  // namespace

QComboBox* VMCEncoderSetupParts::makeEncoderPicker(QWidget* parent) {
    auto* encoder = new QComboBox(parent);
    encoder->setObjectName(QStringLiteral("encoder"));
    encoder->setAccessibleName(tr("Encoder"));
    encoder->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    encoder->setMinimumContentsLength(kEncoderCharacters);
    const int icon = parent->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, parent);
    encoder->setIconSize(QSize(icon, icon));
    encoder->setMaxVisibleItems(24);
    return encoder;
}

QGroupBox* VMCEncoderSetupParts::makeSettingsBox(QWidget* parent, QScrollArea*& pageArea) {
    auto* box = new QGroupBox(tr("Encoder Settings"), parent);
    pageArea = new QScrollArea(box);
    pageArea->setWidgetResizable(true);
    pageArea->setFrameShape(QFrame::NoFrame);
    // The page's controls take the keyboard, not the area around them.
    pageArea->setFocusPolicy(Qt::NoFocus);
    // The area is made as wide as the page; only a tall page scrolls.
    pageArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page shows on the group's own background.
    pageArea->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(pageArea);
    return box;
}

QGroupBox* VMCEncoderSetupParts::makeEffectsBox(QWidget* parent, VMCEffectChainView* view) {
    auto* box = new QGroupBox(tr("E&ffects"), parent);
    box->installEventFilter(new EffectsMnemonic(view, box));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(view);
    return box;
}

VMCEncoderSetupParts::Rows VMCEncoderSetupParts::makeRows(QComboBox* encoder,
                                                          VMCOutputLocationPickerView* location) {
    const Rows rows{makeRow(tr("&Encoder:"), encoder), makeRow(tr("&Destination:"), location)};
    auto* encoderLabel = qobject_cast<QLabel*>(rows.encoder->labelForField(encoder));
    auto* destinationLabel = qobject_cast<QLabel*>(rows.destination->labelForField(location));
    destinationLabel->setBuddy(location->comboBox());
    // Both labels as wide as the wider, so the two fields start in one column.
    const int labelWidth =
        std::max(encoderLabel->sizeHint().width(), destinationLabel->sizeHint().width());
    for (QLabel* label : {encoderLabel, destinationLabel}) {
        label->setMinimumWidth(labelWidth);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return rows;
}

VMCPageWidget* VMCEncoderSetupParts::showPage(QScrollArea* pageArea, VMCPageWidget* old,
                                              VMCPage* page) {
    if (old != nullptr) {
        old->detachPage();
    }
    if (QWidget* shown = pageArea->takeWidget()) {
        shown->hide();
        shown->deleteLater();
    }
    VMCPageWidget* pageWidget = nullptr;
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    if (page != nullptr) {
        pageWidget = new VMCPageWidget(*page, holder);
        layout->addWidget(pageWidget);
    } else {
        auto* none = new QLabel(tr("No settings to choose."), holder);
        none->setObjectName(QStringLiteral("noSettings"));
        layout->addWidget(none);
    }
    layout->addStretch(1);
    pageArea->setWidget(holder);
    // The area would fill the page with its own background.
    holder->setAutoFillBackground(false);
    // Wide enough for the page without a horizontal scroll bar.
    pageArea->setMinimumWidth(holder->minimumSizeHint().width() +
                              pageArea->verticalScrollBar()->sizeHint().width());
    return pageWidget;
}
