// The post-actions of a finished job: keep the source's file times, delete the source.
#pragma once

#include <set>

#include "VMCProcessArg.h"
#include "XStr.h"

class VAConvertProcessShared {
public:
    static constexpr const char* kPreserveSourceAttributes = "Preserve Source Attributes";
    static constexpr const char* kDeleteSourceFile = "Delete Source File";

    static const std::set<XStr>& specialActionNames();
    // Runs after a clean run. Failures are silent; a source that is also the job's
    // destination is never deleted.
    static void handleSpecialActions(const VMCProcessArg& arg);
    // Whether two paths name one file: the same text (ASCII case ignored, as the run's
    // same-file guard compares) or the same file on disk.
    static bool isSameFile(const XStr& a, const XStr& b);
};
