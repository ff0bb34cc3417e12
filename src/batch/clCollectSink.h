// Where the checked files of a folder tree are collected to, in tree order.
#pragma once

#include <memory>

class clFileListEntry;

class clCollectSink {
public:
    virtual ~clCollectSink() = default;
    // True once the collection should end.
    virtual bool aborting() const = 0;
    virtual void addFile(const std::shared_ptr<clFileListEntry>& file) = 0;
};
