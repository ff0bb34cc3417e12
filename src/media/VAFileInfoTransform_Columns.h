// The transform whose records are the column values of a file list.
#pragma once

#include "VAFileInfoColumns.h"
#include "VAFileInfoTransform.h"

class VAFileInfoTransform_Columns : public VAFileInfoTransform {
public:
    std::shared_ptr<const VAFileInfoObject> transformInfo(
        const std::shared_ptr<const VAMediaFileInfo>& info) override {
        return std::make_shared<VAFileInfoColumns>(*info);
    }
};
