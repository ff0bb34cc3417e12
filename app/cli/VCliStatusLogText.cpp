#include "VCliStatusLogText.h"

#include "VMCStatusLogDialog.h"

XStr VCliStatusLogText::copyText(const std::map<uint32_t, VMCStatusLogEntry>& log, bool errors) {
    VMCStatusLogContext context;
    (errors ? context.errors : context.infos) = VMCStatusLogContext::listFromMap(log);
    VMCStatusLogDialog dialog(std::move(context));
    dialog.selectTab(errors ? VMCStatusLogDialog::Tab::kErrors
                            : VMCStatusLogDialog::Tab::kInformation);
    return dialog.copyText();
}
