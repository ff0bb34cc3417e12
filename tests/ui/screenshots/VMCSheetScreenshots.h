// The dialogs around the setup panel for the screenshot program: joining files (the
// ordering panel and the setup it leads to), the multi encoder's page and configure sheet,
// the encoder settings sheet, the profile refusals and question, and the bug report.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace VMCSheetScreenshots {

// Shows the widget and writes it under the name; false when that failed.
using Save = std::function<bool(QWidget* widget, const QString& name)>;

bool shootAll(const Save& save);

}  // namespace VMCSheetScreenshots
