// The log of one job in one of the two logs (errors, information).
#pragma once

#include <memory>
#include <optional>

#include "VAConvertSource.h"
#include "XStr.h"

struct VMCStatusLogEntry {
    std::shared_ptr<VAConvertSource> source2;
    XStr fnTo;
    XStr encoderName;
    // In arrival order.
    XStrList entries;
    std::optional<XStr> statusImgName;
};
