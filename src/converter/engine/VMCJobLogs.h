// The error and information logs of a conversion, one entry per job, made on first use.
#pragma once

#include <cstdint>
#include <map>

#include "VAConversionSpec.h"
#include "VMCStatusLogContext.h"
#include "VMCStatusLogEntry.h"

class VMCJobLogs {
public:
    using Log = std::map<uint32_t, VMCStatusLogEntry>;

    VMCJobLogs(const VAConversionSpec& spec, XStr encoderName)
        : mEntries(spec.entries), mEncoderName(std::move(encoderName)) {}

    void addInfo(uint32_t job, const XStr& line) { entryOf(mInfos, job).entries.push_back(line); }
    void addError(uint32_t job, const XStr& line) { entryOf(mErrors, job).entries.push_back(line); }

    const Log& errors() const { return mErrors; }
    const Log& infos() const { return mInfos; }
    bool empty() const { return mErrors.empty() && mInfos.empty(); }
    // What the log panel shows: the chosen logs in job order.
    VMCStatusLogContext contextFor(bool withInfos, bool withErrors) const;

private:
    VMCStatusLogEntry& entryOf(Log& log, uint32_t job);

    const std::vector<VAConversionEntry>& mEntries;
    XStr mEncoderName;
    Log mErrors;
    Log mInfos;
};
