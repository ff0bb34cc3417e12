#include "VMCPanelViews.h"

#include "VAConcatenateOrderDialogView.h"
#include "VMCLauncherView.h"
#include "VMCPreConvertDialogView.h"

namespace VMCPanelViews {

QWidget* create(const std::shared_ptr<VMCPanel>& panel, QWidget* parent) {
    if (auto launcher = std::dynamic_pointer_cast<VMCLauncher>(panel)) {
        return new VMCLauncherView(std::move(launcher), parent);
    }
    if (auto setup = std::dynamic_pointer_cast<VMCPreConvertDialog>(panel)) {
        return new VMCPreConvertDialogView(std::move(setup), parent);
    }
    if (auto order = std::dynamic_pointer_cast<VAConcatenateOrderDialog>(panel)) {
        return new VAConcatenateOrderDialogView(std::move(order), parent);
    }
    return new QWidget(parent);
}

}  // namespace VMCPanelViews
