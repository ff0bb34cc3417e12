// Collects the answers for several folders into one: each delivered set of field values is
// merged in, and the whole goes to the target once every folder has answered.
#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include "VMCMetaFieldCacheCallback.h"

class metaCollectManyFolders : public VMCMetaFieldCacheCallback {
public:
    metaCollectManyFolders(std::size_t folderCount,
                           std::shared_ptr<VMCMetaFieldCacheCallback> target);

    void deliverMetaFieldCacheResults(const VMCMetaFields& results) override;
    // Ends the asking: the merged values when every folder has answered by now (the target
    // is then not called), else nothing and the target hears when the last one answers.
    std::optional<VMCMetaFields> finishSynchronousScope();

private:
    std::mutex mMutex;
    const std::size_t mFolderCount;
    std::shared_ptr<VMCMetaFieldCacheCallback> mTarget;
    VMCMetaFields mMerged;
    std::size_t mAnswered = 0;
    bool mInScope = true;
};
