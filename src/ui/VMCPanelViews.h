// The view of each kind of panel.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCPanel.h"

namespace VMCPanelViews {

// A new view for the panel; a plain empty widget for a panel without a view.
QWidget* create(const std::shared_ptr<VMCPanel>& panel, QWidget* parent);

}  // namespace VMCPanelViews
