// The screens of a conversion for the screenshot program: the checking panel, the
// existing-files sheet, the progress panel in the middle of a conversion and the status log.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace VMCConversionScreenshots {

// Shows the widget and writes it under the name; false when that failed.
using Save = std::function<bool(QWidget* widget, const QString& name)>;

bool shootAll(const Save& save);

}  // namespace VMCConversionScreenshots
