#include "VCliStatusLogText.h"

#include "VADisplayText.h"
#include "VMCStatusLogDialog.h"

namespace {

// The entry as it may be shown: every text in it escaped, so that its names and FFmpeg's
// lines keep to their own lines.
VMCStatusLogEntry shownEntry(const VMCStatusLogEntry& entry) {
    VMCStatusLogEntry shown = entry;
    if (entry.source2) {
        shown.source2 = std::make_shared<VAConvertSource>();
        shown.source2->setStrPerceivedFilename(
            VADisplayText::escaped(entry.source2->strPerceivedFilename()));
    }
    shown.fnTo = VADisplayText::escaped(entry.fnTo);
    shown.encoderName = VADisplayText::escaped(entry.encoderName);
    for (XStr& line : shown.entries) {
        line = VADisplayText::escaped(line);
    }
    return shown;
}

}  // namespace

XStr VCliStatusLogText::copyText(const std::map<uint32_t, VMCStatusLogEntry>& log, bool errors) {
    std::map<uint32_t, VMCStatusLogEntry> shown;
    for (const auto& [job, entry] : log) {
        shown.emplace(job, shownEntry(entry));
    }
    VMCStatusLogContext context;
    (errors ? context.errors : context.infos) = VMCStatusLogContext::listFromMap(shown);
    VMCStatusLogDialog dialog(std::move(context));
    dialog.selectTab(errors ? VMCStatusLogDialog::Tab::kErrors
                            : VMCStatusLogDialog::Tab::kInformation);
    return dialog.copyText();
}
