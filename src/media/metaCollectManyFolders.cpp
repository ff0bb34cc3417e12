#include "metaCollectManyFolders.h"

metaCollectManyFolders::metaCollectManyFolders(std::size_t folderCount,
                                               std::shared_ptr<VMCMetaFieldCacheCallback> target)
    : mFolderCount(folderCount), mTarget(std::move(target)) {}

void metaCollectManyFolders::deliverMetaFieldCacheResults(const VMCMetaFields& results) {
    std::shared_ptr<VMCMetaFieldCacheCallback> target;
    VMCMetaFields merged;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        for (const auto& [field, values] : results) {
            mMerged[field].insert(values.begin(), values.end());
        }
        ++mAnswered;
        if (mAnswered != mFolderCount || mInScope) {
            return;
        }
        target = std::move(mTarget);
        merged = mMerged;
    }
    if (target) {
        target->deliverMetaFieldCacheResults(merged);
    }
}

std::optional<VMCMetaFields> metaCollectManyFolders::finishSynchronousScope() {
    const std::lock_guard<std::mutex> lock(mMutex);
    mInScope = false;
    if (mAnswered < mFolderCount) {
        return std::nullopt;
    }
    mTarget.reset();
    return mMerged;
}
