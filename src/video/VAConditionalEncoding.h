// Conditional encoding (converting an entry only when its source meets a condition) is
// not offered: nothing is made, no metadata is needed and every entry is converted.
#pragma once

#include <memory>
#include <vector>

#include "VAConversionEntry.h"
#include "VADSPSpec.h"

class VAMediaFileInfo;

class VAConditionalEncoding {
public:
    virtual ~VAConditionalEncoding() = default;

    // Always null.
    static std::unique_ptr<VAConditionalEncoding> createWithDSPs(
        const std::vector<VADSPSpec>& dsps);

    bool needMetaFromFiles() const { return false; }
    // Whether the entry is converted.
    bool processEntry(const VAConversionEntry& entry, const VAMediaFileInfo* info) const;
};
