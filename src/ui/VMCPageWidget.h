// The one renderer of settings pages: it draws any page from the controls it declares,
// hands every user action to the page, shows the page's new state, and opens the page's
// sheets as window-modal dialogs. No page has a view of its own.
#pragma once

#include <QSet>
#include <QWidget>
#include <memory>
#include <vector>

#include "VMCPage.h"

class QFormLayout;
class VMCControlEditor;

class VMCPageWidget : public QWidget {
    Q_OBJECT

public:
    // The page outlives the widget. Its help buttons open their links in the browser.
    explicit VMCPageWidget(VMCPage& page, QWidget* parent = nullptr);
    ~VMCPageWidget() override;

    VMCPage& page() const { return mPage; }
    // Shows the page's state again, after it changed from outside.
    void refresh();
    // The page goes away before the widget does (a sheet that ended): the widget no longer
    // touches it.
    void detachPage();
    // The widget that holds a control's value; null for an unknown or hidden id.
    QWidget* editorFor(const XStr& id) const;
    // The first and last widgets of the page that take the keyboard focus (null without
    // any), so a window can put the page in its tab order.
    QWidget* firstFocusWidget() const;
    QWidget* lastFocusWidget() const;
    // Every widget of the page that takes the keyboard focus, in the page's tab order.
    QList<QWidget*> focusWidgets() const;

Q_SIGNALS:
    // The page took a user action (its argument text may be new).
    void pageChanged();
    // A sheet of the page opened, as a dialog that is now on screen.
    void sheetOpened(QWidget* sheet);

private:
    void build(const std::vector<VVCControl>& controls);
    void userSet(const XStr& id, const XStr& value);
    void openSheet(const XStr& id);
    void orderFocus();
    void showRow(const VMCControlEditor& editor, bool visible);

    VMCPage& mPage;
    QFormLayout* mForm = nullptr;
    std::vector<std::unique_ptr<VMCControlEditor>> mEditors;
    // Fields drawn beside others in one row of the form, not in rows of their own.
    QSet<QWidget*> mInRow;
    bool mSheetOpen = false;
    bool mDetached = false;
};
