// The sheet that names a new profile: the name field, the encoder the profile is made for,
// OK and Cancel. OK closes the sheet only when the name is taken up.
#pragma once

#include <QDialog>
#include <functional>

#include "XStr.h"

class QLineEdit;

class VMCProfileNameDialog : public QDialog {
    Q_OBJECT

public:
    // accept answers whether the name is taken up; false keeps the sheet open (whoever
    // refused has said why).
    VMCProfileNameDialog(const XStr& fieldText, const XStr& encoderLabel,
                         std::function<bool(const XStr&)> accept, QWidget* parent);

    QLineEdit* nameField() const { return mName; }
    void accept() override;

private:
    QLineEdit* mName;
    std::function<bool(const XStr&)> mAccept;
};
