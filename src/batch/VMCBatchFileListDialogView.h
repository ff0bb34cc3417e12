// What the batch file list panel's controller asks of its view.
#pragma once

#include <cstddef>
#include <vector>

#include "XStr.h"

class VMCBatchFileListDialogView {
public:
    virtual ~VMCBatchFileListDialogView() = default;
    virtual void reloadAll() = 0;
    // Rows whose information arrived: every column but the check box, name and folder.
    virtual void reloadRows(const std::vector<std::size_t>& rows) = 0;
    virtual void setStatus(const XStr& text, bool convertEnabled) = 0;
    virtual void revealInFileViewer(const XStrList& urls) = 0;
    virtual void showNoFilesSelected() = 0;
};
