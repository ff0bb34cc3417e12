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

XStr VCliProgressPrinter::firstErrorOf(uint32_t job) const {
    const auto& errors = mDialog->logErrors();
    const auto found = errors.find(job);
    if (found == errors.end() || found->second.entries.empty()) {
        return {};
    }
    return found->second.entries.front();
}

XStr VCliProgressPrinter::failureOf(uint32_t job) const {
    const XStr source = sourceOf(job);
    XStr error = firstErrorOf(job);
    const auto& entries = mDialog->conversionSpec().entries;
    if (job < entries.size() && entries[job].convertFrom) {
        const XStr prefix = entries[job].convertFrom->urlForConversion + ": ";
        if (error.startsWith(prefix)) {
            error = error.substr(prefix.size());
        }
    }
    return error.empty() ? source : source + ": " + error;
}
