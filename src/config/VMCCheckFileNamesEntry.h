// One planned output of a conversion: a source, the encoder it is converted with (for the
// multi encoder) and where the output goes.
#pragma once

#include <cstdint>
#include <memory>

#include "VAConvertSource.h"
#include "VMCMultiEncEntry.h"
#include "XStr.h"

struct VMCCheckFileNamesEntry {
    // Cleared to skip the output.
    bool checked = true;
    std::shared_ptr<VAConvertSource> source2;
    // Empty when no destination could be made (a folder that cannot be used).
    XStr destination;
    bool justCopy = false;
    uint64_t sourceSizeBytes = 0;
    // Null for a single encoder.
    std::shared_ptr<VMCMultiEncEntry> multiEncData;
    std::shared_ptr<void> userData;
    std::shared_ptr<void> userData2;
};
