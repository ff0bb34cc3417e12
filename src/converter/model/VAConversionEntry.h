// One source file of a job: where it comes from, where it goes and how it is treated.
#pragma once

#include <cstdint>
#include <memory>

#include "VAConvertSource.h"
#include "XStr.h"

// One configured encoder of the multi encoder; defined with the multi-encoder
// configuration.
class VMCMultiEncEntry;

struct VAConversionEntry {
    // Copied to the destination instead of encoded.
    bool justCopy = false;
    // Set once an error line was reported for this entry.
    bool hadErrors = false;
    std::shared_ptr<VAConvertSource> convertFrom;
    XStr urlTo;
    // Weights the entry in the overall progress.
    uint64_t sourceSizeBytes = 0;
    // The user chose to convert over an existing file of the destination's name; without it an
    // existing file is never replaced.
    bool overwriteExisting = false;
    // Null for a single encoder.
    std::shared_ptr<VMCMultiEncEntry> multiEncData;
};
