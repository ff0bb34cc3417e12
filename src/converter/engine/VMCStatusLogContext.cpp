#include "VMCStatusLogContext.h"

void VMCStatusLogContext::doReconvertFrom() const {
    const std::shared_ptr<VMCStatusLogHost> target = host.lock();
    if (!target) {
        return;
    }
    std::vector<std::shared_ptr<VAConvertSource>> sources;
    for (const VMCStatusLogEntry& entry : errors) {
        if (entry.source2) {
            sources.push_back(entry.source2);
        }
    }
    target->preConvertFrom(sources);
}

std::vector<VMCStatusLogEntry> VMCStatusLogContext::listFromMap(
    const std::map<uint32_t, VMCStatusLogEntry>& byJob) {
    std::vector<VMCStatusLogEntry> list;
    list.reserve(byJob.size());
    for (const auto& [job, entry] : byJob) {
        list.push_back(entry);
    }
    return list;
}
