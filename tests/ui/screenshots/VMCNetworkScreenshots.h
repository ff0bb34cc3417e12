// What reaches beyond the machine, for the screenshot program: the FFmpeg window with the
// texts of the FFmpeg in use, its download sheet, and the launcher with the update link.
// Nothing is downloaded and no server is asked: the views are handed what they show.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace VMCNetworkScreenshots {

// Shows the widget and writes it under the name; false when that failed.
using Save = std::function<bool(QWidget* widget, const QString& name)>;

bool shootAll(const Save& save);

}  // namespace VMCNetworkScreenshots
