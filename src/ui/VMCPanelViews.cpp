#include "VMCPanelViews.h"

#include "VAConcatenateOrderDialogView.h"
#include "VMCBatchConvertPanelView.h"
#include "VMCBatchFileListPanelView.h"
#include "VMCCheckingPanelView.h"
#include "VMCFileListDialogView.h"
#include "VMCLauncherView.h"
#include "VMCPreConvertDialogView.h"
#include "VMCProgressPanelView.h"
#include "VMCStatusLogPanelView.h"

namespace VMCPanelViews {

QWidget* create(const std::shared_ptr<VMCPanel>& panel, QWidget* parent) {
    if (auto launcher = std::dynamic_pointer_cast<VMCLauncher>(panel)) {
        return new VMCLauncherView(std::move(launcher), parent);
    }
    if (auto batch = std::dynamic_pointer_cast<VMCBatchConvertPanel>(panel)) {
        return new VMCBatchConvertPanelView(std::move(batch), parent);
    }
    if (auto list = std::dynamic_pointer_cast<VMCBatchFileListPanel>(panel)) {
        return new VMCBatchFileListPanelView(std::move(list), parent);
    }
    if (auto setup = std::dynamic_pointer_cast<VMCPreConvertDialog>(panel)) {
        return new VMCPreConvertDialogView(std::move(setup), parent);
    }
    if (auto order = std::dynamic_pointer_cast<VAConcatenateOrderDialog>(panel)) {
        return new VAConcatenateOrderDialogView(std::move(order), parent);
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
    if (auto list = std::dynamic_pointer_cast<VMCFileListDialog>(panel)) {
        return new VMCFileListDialogView(std::move(list), parent);
    }
    return new QWidget(parent);
}

}  // namespace VMCPanelViews
