// The alerts of the converter's panels: window-modal message boxes that do not block the
// caller, shown over the dialog the user is in when there is one.
#pragma once

#include <QMessageBox>

#include "XStr.h"

namespace VMCAlert {

// A warning with an OK button.
QMessageBox* show(QWidget* parent, const XStr& message);

}  // namespace VMCAlert
