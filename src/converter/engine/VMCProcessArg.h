// Everything one FFmpeg run needs: source, destination, arguments, where to report, the
// conversion's stop flag and the post-actions to carry out afterwards.
#pragma once

#include <memory>
#include <optional>
#include <set>

#include "VAConvertSource.h"
#include "VMCProcessEvents.h"
#include "VMCStatusCallback.h"
#include "XStr.h"

struct VMCProcessArg {
    std::shared_ptr<VAConvertSource> srcFrom;
    XStr urlTo;
    std::optional<XStr> inputArgs;
    // Output-side FFmpeg arguments: the effect filters and the encoder arguments.
    XStr args;
    std::shared_ptr<VMCStatusCallback> callback;
    std::shared_ptr<VMCProcessEvents> events;
    std::set<XStr> specialActions;
    // The output may replace a file of its name; otherwise an existing file is never replaced,
    // not even one that appears while FFmpeg works.
    bool overwriteExisting = false;
};
