// One row of the output location picker's drop-down: a fixed choice, a recent naming, a
// separator, or the note shown when the encoder needs no destination.
#pragma once

#include <optional>

#include "VMCFileNaming.h"
#include "XStr.h"

struct VMCOutputLocationPickerEntry {
    enum class Action {
        kNone,
        kSameFolder,
        kSingleFolder,
        kPreservePath,
        kEditDynamicNaming,
        kUseParent,
        kApplyNaming,
    };

    static constexpr const char* kSeparatorTitle = "---";

    XStr title;
    Action action = Action::kNone;
    // For kApplyNaming: the naming the row stands for.
    std::optional<VMCFileNaming> naming;
    bool separator = false;
    // False for rows that cannot be chosen (the note).
    bool enabled = true;

    static VMCOutputLocationPickerEntry makeSeparator() {
        VMCOutputLocationPickerEntry entry;
        entry.title = kSeparatorTitle;
        entry.separator = true;
        entry.enabled = false;
        return entry;
    }
};
