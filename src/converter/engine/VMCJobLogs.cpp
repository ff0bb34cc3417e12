#include "VMCJobLogs.h"

VMCStatusLogEntry& VMCJobLogs::entryOf(Log& log, uint32_t job) {
    auto it = log.find(job);
    if (it == log.end()) {
        VMCStatusLogEntry entry;
        if (job < mEntries.size()) {
            entry.source2 = mEntries[job].convertFrom;
            entry.fnTo = mEntries[job].urlTo;
        }
        entry.encoderName = mEncoderName;
        it = log.emplace(job, std::move(entry)).first;
    }
    return it->second;
}

VMCStatusLogContext VMCJobLogs::contextFor(bool withInfos, bool withErrors) const {
    VMCStatusLogContext context;
    if (withInfos) {
        context.infos = VMCStatusLogContext::listFromMap(mInfos);
    }
    if (withErrors) {
        context.errors = VMCStatusLogContext::listFromMap(mErrors);
    }
    return context;
}
