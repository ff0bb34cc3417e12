#include "VCliProgressPrinter.h"

XStr VCliProgressPrinter::sourceOf(uint32_t job) const {
    const auto& entries = mDialog->conversionSpec().entries;
    if (job >= entries.size() || !entries[job].convertFrom) {
        return {};
    }
    return entries[job].convertFrom->urlPerceived;
}

XStr VCliProgressPrinter::destinationOf(uint32_t job) const {
    const auto& entries = mDialog->conversionSpec().entries;
    return job < entries.size() ? entries[job].urlTo : XStr();
}

uint32_t VCliProgressPrinter::jobCount() const {
    return static_cast<uint32_t>(mDialog->conversionSpec().entries.size());
}
