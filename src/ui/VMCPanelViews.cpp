#include "VMCPanelViews.h"

#include "VMCLauncherView.h"
#include "VMCSourcesPanelView.h"

namespace VMCPanelViews {

QWidget* create(const std::shared_ptr<VMCPanel>& panel, QWidget* parent) {
    if (auto launcher = std::dynamic_pointer_cast<VMCLauncher>(panel)) {
        return new VMCLauncherView(std::move(launcher), parent);
    }
    if (auto sources = std::dynamic_pointer_cast<VMCSourcesPanel>(panel)) {
        return new VMCSourcesPanelView(std::move(sources), parent);
    }
    return new QWidget(parent);
}

}  // namespace VMCPanelViews
