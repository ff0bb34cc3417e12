// What the batch converter's panels ask of the window that hosts them: the shell's panel
// host implements it and leads on to the conversion set-up.
#pragma once

#include <memory>
#include <vector>

#include "XStr.h"

class VMCBatchFileListDialog;

class VMCBatchConvertHost {
public:
    virtual ~VMCBatchConvertHost() = default;
    // preConvertFrom:inWindow:returnToPanel: the files to convert, in order.
    virtual void preConvertFrom(const XStrList& files) = 0;
    // beginConcatenate:inWindow:returnToPanel: two or more files joined in order.
    virtual void beginConcatenate(const XStrList& files) = 0;
    // Shows the file list panel over the batch converter.
    virtual void showFileList(const std::shared_ptr<VMCBatchFileListDialog>& panel) = 0;
    // The file list panel is done; the batch converter shows again.
    virtual void onSubDialogDone() = 0;
};
