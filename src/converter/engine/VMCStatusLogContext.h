// What the status log panel is given: the two logs and whom to tell when it is done.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VMCStatusLogEntry.h"

// The window that shows the log panel.
class VMCStatusLogHost {
public:
    virtual ~VMCStatusLogHost() = default;
    // Starts setting up a new conversion of these sources.
    virtual void preConvertFrom(const std::vector<std::shared_ptr<VAConvertSource>>& sources) = 0;
    // Leave the panel.
    virtual void conversionAllDone() = 0;
};

struct VMCStatusLogContext {
    bool sizeToHost = false;
    bool canEject = false;
    std::optional<XStr> titleActionOverride;
    std::vector<VMCStatusLogEntry> infos;
    std::vector<VMCStatusLogEntry> errors;
    std::weak_ptr<VMCStatusLogHost> host;

    bool canReconvert() const { return true; }
    // Hands the source of every error entry, in order, to the host.
    void doReconvertFrom() const;
    void ejectDisc() const {}

    // A job-index map as a list in job order.
    static std::vector<VMCStatusLogEntry> listFromMap(
        const std::map<uint32_t, VMCStatusLogEntry>& byJob);
};
