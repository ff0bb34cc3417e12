// The file-name character rules as a sheet: one row per replaced character with its
// replacement and a Delete button, a button that adds a row, the ANSI-only check box, the
// two tables of defaults, OK (writes the rules) and Cancel.
#pragma once

#include <QDialog>
#include <memory>

#include "VAOptionsFileName.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class VAOptionsFileNameSheet : public QDialog {
    Q_OBJECT

public:
    // The rules are read from the settings store.
    explicit VAOptionsFileNameSheet(QWidget* parent);

    const VAOptionsFileName& options() const { return mOptions; }
    QTableWidget* table() const { return mTable; }
    // The field of a row's column (0: the character, 1: its replacement).
    QLineEdit* field(int row, int column) const;
    QPushButton* deleteButton(int row) const;
    QPushButton* addButton() const { return mAdd; }
    QPushButton* restoreButton() const { return mRestore; }
    QPushButton* restoreWindowsButton() const { return mRestoreWindows; }
    QCheckBox* ansiOnlyBox() const { return mAnsiOnly; }

    void accept() override;

private:
    // The rows shown again from the model; the keyboard goes to the field given.
    void showRows(int focusRow = -1, int focusColumn = 0);
    void orderFocus();

    VAOptionsFileName mOptions;
    QTableWidget* mTable;
    QPushButton* mAdd;
    QPushButton* mRestore;
    QPushButton* mRestoreWindows;
    QCheckBox* mAnsiOnly;
    QWidget* mButtons;
};
