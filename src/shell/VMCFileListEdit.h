// A change made in the file list and not yet applied: whether the row is checked and the
// output name typed for it (none: the naming's own name).
#pragma once

#include <optional>

#include "XStr.h"

struct VMCFileListEdit {
    bool checked = true;
    std::optional<XStr> destinationUser;

    friend bool operator==(const VMCFileListEdit&, const VMCFileListEdit&) = default;
};
