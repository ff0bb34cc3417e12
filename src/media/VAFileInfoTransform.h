// Turns each probe record into what a list keeps instead (on the cache's worker thread).
#pragma once

#include <memory>

#include "VAFileInfoObject.h"
#include "VAMediaFileInfo.h"

class VAFileInfoTransform {
public:
    virtual ~VAFileInfoTransform() = default;
    virtual std::shared_ptr<const VAFileInfoObject> transformInfo(
        const std::shared_ptr<const VAMediaFileInfo>& info) = 0;
};
