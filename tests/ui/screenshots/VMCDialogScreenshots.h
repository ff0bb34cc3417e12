// The screenshots of the setup panel's dialogs: the dynamic naming dialog, the file list
// and rename panel, and the preferences with the file-name character rules.
#pragma once

#include <QString>
#include <functional>

class QPixmap;
class QWidget;

namespace VMCDialogScreenshots {

// save(widget, name) shows the widget and writes it; savePixmap writes a picture made of
// several windows. False when a picture could not be made.
using Save = std::function<bool(QWidget* widget, const QString& name)>;
using SavePixmap = std::function<bool(const QPixmap& picture, const QString& name)>;
bool shootAll(const Save& save, const SavePixmap& savePixmap);

}  // namespace VMCDialogScreenshots
