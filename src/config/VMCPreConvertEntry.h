// One source as the converter window holds it before converting: the source, the name it
// is shown (and named) under, whether it is checked, and a destination the user typed.
#pragma once

#include <memory>
#include <optional>

#include "VAConvertSource.h"
#include "XStr.h"

struct VMCPreConvertEntry {
    std::shared_ptr<VAConvertSource> source;
    bool checked = true;
    // A sub-path the user edited in the file list, used instead of the naming's.
    std::optional<XStr> destinationUser;
    bool justCopy = false;

    static VMCPreConvertEntry withSource(std::shared_ptr<VAConvertSource> source) {
        VMCPreConvertEntry entry;
        entry.source = std::move(source);
        return entry;
    }
    // The path names are made from: the source as the user chose it.
    XStr namingURL() const { return source ? source->urlPerceived : XStr(); }
};
