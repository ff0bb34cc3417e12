// The screenshots of the batch converter: its window with a ticked tree and a filtered
// list, the filter dialog, and the list of the collected files.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace VMCBatchScreenshots {

using Save = std::function<bool(QWidget* widget, const QString& name)>;
bool shootAll(const Save& save);

}  // namespace VMCBatchScreenshots
