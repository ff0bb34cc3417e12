#include "VMCPanelViews.h"

#include "VMCCheckingPanelView.h"
#include "VMCLauncherView.h"
#include "VMCPreConvertDialogView.h"
#include "VMCProgressPanelView.h"
#include "VMCStatusLogPanelView.h"

namespace VMCPanelViews {

QWidget* create(const std::shared_ptr<VMCPanel>& panel, QWidget* parent) {
    if (auto launcher = std::dynamic_pointer_cast<VMCLauncher>(panel)) {
        return new VMCLauncherView(std::move(launcher), parent);
    }
    if (auto setup = std::dynamic_pointer_cast<VMCPreConvertDialog>(panel)) {
        return new VMCPreConvertDialogView(std::move(setup), parent);
    }
    if (auto checking = std::dynamic_pointer_cast<VMCCheckingPanel>(panel)) {
        return new VMCCheckingPanelView(std::move(checking), parent);
    }
    if (auto progress = std::dynamic_pointer_cast<VMCProgressPanel>(panel)) {
        return new VMCProgressPanelView(std::move(progress), parent);
    }
    if (auto log = std::dynamic_pointer_cast<VMCStatusLogPanel>(panel)) {
        return new VMCStatusLogPanelView(std::move(log), parent);
    }
    return new QWidget(parent);
}

}  // namespace VMCPanelViews
