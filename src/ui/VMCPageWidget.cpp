#include "VMCPageWidget.h"

#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>

#include "VMCControlEditor.h"
#include "VMCQtText.h"
#include "VMCSheetDialog.h"

namespace {

// Whether the page now declares other controls than the ones drawn.
bool sameControls(const std::vector<std::unique_ptr<VMCControlEditor>>& editors,
                  const std::vector<VVCControl>& controls) {
    if (editors.size() != controls.size()) {
        return false;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (editors[i]->id() != controls[i].id || editors[i]->kind() != controls[i].kind) {
            return false;
        }
    }
    return true;
}

}  // namespace

VMCPageWidget::VMCPageWidget(VMCPage& page, QWidget* parent) : QWidget(parent), mPage(page) {
    mPage.setURLOpener([](const XStr& url) {
        QDesktopServices::openUrl(QUrl(VMCQtText::toQt(url), QUrl::StrictMode));
    });
    mForm = new QFormLayout(this);
    mForm->setContentsMargins(0, 0, 0, 0);
    // Labels right-aligned against their fields, fields at their natural width, on every
    // style.
    mForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    mForm->setRowWrapPolicy(QFormLayout::DontWrapRows);
    build(mPage.pageView());
}

VMCPageWidget::~VMCPageWidget() {
    detachPage();
}

void VMCPageWidget::detachPage() {
    if (!mDetached) {
        mDetached = true;
        mPage.setURLOpener(nullptr);
    }
}

void VMCPageWidget::build(const std::vector<VVCControl>& controls) {
    while (mForm->rowCount() > 0) {
        mForm->removeRow(0);
    }
    mInRow.clear();
    mEditors.clear();
    const VMCControlEditor::Actions actions{
        [this](const XStr& id, const XStr& value) { userSet(id, value); },
        [this](const XStr& id) { openSheet(id); }};
    QHBoxLayout* row = nullptr;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto editor = std::make_unique<VMCControlEditor>(controls[i], i == 0, this, actions);
        const bool startsRow = i + 1 < controls.size() && controls[i + 1].besidePrevious;
        if (controls[i].besidePrevious && row != nullptr) {
            row->insertWidget(row->count() - 1, editor->field());
            mInRow.insert(editor->field());
        } else if (startsRow && !editor->spansRow()) {
            // Controls drawn side by side share one row of the form.
            auto* holder = new QWidget(this);
            row = new QHBoxLayout(holder);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(editor->field());
            row->addStretch(1);
            mInRow.insert(editor->field());
            mForm->addRow(editor->label(), holder);
        } else if (editor->spansRow()) {
            mForm->addRow(editor->field());
        } else {
            mForm->addRow(editor->label(), editor->field());
        }
        if (!startsRow && !controls[i].besidePrevious) {
            row = nullptr;
        }
        if (editor->below() != nullptr) {
            mForm->addRow(static_cast<QWidget*>(nullptr), editor->below());
        }
        showRow(*editor, controls[i].visible);
        mEditors.push_back(std::move(editor));
    }
    if (controls.empty()) {
        // A page without settings says so rather than leave a blank.
        auto* none = new QLabel(tr("No settings to choose."), this);
        none->setObjectName(QStringLiteral("noSettings"));
        mForm->addRow(none);
    }
    orderFocus();
}

void VMCPageWidget::refresh() {
    if (mDetached) {
        return;
    }
    const std::vector<VVCControl> controls = mPage.pageView();
    if (!sameControls(mEditors, controls)) {
        const QWidget* focused = focusWidget();
        XStr focusedId;
        for (const auto& editor : mEditors) {
            if (editor->focusWidgets().contains(focused)) {
                focusedId = editor->id();
            }
        }
        build(controls);
        if (QWidget* again = editorFor(focusedId)) {
            again->setFocus();
        }
        return;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        mEditors[i]->update(controls[i]);
        showRow(*mEditors[i], controls[i].visible);
    }
}

void VMCPageWidget::showRow(const VMCControlEditor& editor, bool visible) {
    if (mInRow.contains(editor.field())) {
        editor.field()->setVisible(visible);
        return;
    }
    mForm->setRowVisible(editor.field(), visible);
    if (editor.below() != nullptr) {
        mForm->setRowVisible(editor.below(), visible);
    }
}

QWidget* VMCPageWidget::editorFor(const XStr& id) const {
    for (const auto& editor : mEditors) {
        if (editor->id() == id) {
            return editor->field()->isHidden() ? nullptr : editor->editor();
        }
    }
    return nullptr;
}

QWidget* VMCPageWidget::firstFocusWidget() const {
    for (const auto& editor : mEditors) {
        if (!editor->focusWidgets().isEmpty()) {
            return editor->focusWidgets().front();
        }
    }
    return nullptr;
}

QWidget* VMCPageWidget::lastFocusWidget() const {
    for (auto it = mEditors.rbegin(); it != mEditors.rend(); ++it) {
        if (!(*it)->focusWidgets().isEmpty()) {
            return (*it)->focusWidgets().back();
        }
    }
    return nullptr;
}

QList<QWidget*> VMCPageWidget::focusWidgets() const {
    QList<QWidget*> widgets;
    for (const auto& editor : mEditors) {
        widgets.append(editor->focusWidgets());
    }
    return widgets;
}

void VMCPageWidget::orderFocus() {
    QWidget* previous = nullptr;
    for (const auto& editor : mEditors) {
        for (QWidget* widget : editor->focusWidgets()) {
            if (previous != nullptr) {
                setTabOrder(previous, widget);
            }
            previous = widget;
        }
    }
}

void VMCPageWidget::userSet(const XStr& id, const XStr& value) {
    if (mDetached) {
        return;
    }
    // A refused value (it cannot come from these widgets) leaves the page as it was; the
    // refresh puts the widget back.
    const bool taken = mPage.setControl(id, value);
    refresh();
    if (taken) {
        Q_EMIT pageChanged();
    }
}

void VMCPageWidget::openSheet(const XStr& id) {
    if (mSheetOpen || mDetached) {
        return;
    }
    VMCPage* sheet = mPage.openSheet(id);
    if (sheet == nullptr) {
        return;
    }
    XStr title;
    for (const VVCControl& control : mPage.pageView()) {
        if (control.id == id) {
            title = control.title;
        }
    }
    mSheetOpen = true;
    VMCSheetDialog* dialog = VMCSheetDialog::create(*sheet, title, this);
    connect(dialog, &QDialog::finished, this, [this, id, dialog](int result) {
        dialog->detachPage();
        mSheetOpen = false;
        mPage.closeSheet(id, result == QDialog::Accepted);
        refresh();
        Q_EMIT pageChanged();
    });
    dialog->open();
    Q_EMIT sheetOpened(dialog);
}
