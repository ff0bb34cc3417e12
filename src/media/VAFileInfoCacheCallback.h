// The listener of a file information cache: told on the main thread how many records have
// loaded so far.
#pragma once

#include <cstddef>
#include <memory>

class VAFileInfoCacheCallback {
public:
    virtual ~VAFileInfoCacheCallback() = default;
    virtual void onInfosLoaded(std::size_t countLoaded) = 0;
};

// Holds a listener weakly, so that a cache never keeps a closed window alive.
class VAFileInfoCacheCallbackWeakRef : public VAFileInfoCacheCallback {
public:
    explicit VAFileInfoCacheCallbackWeakRef(const std::shared_ptr<VAFileInfoCacheCallback>& target)
        : mTarget(target) {}

    void onInfosLoaded(std::size_t countLoaded) override {
        if (std::shared_ptr<VAFileInfoCacheCallback> target = mTarget.lock()) {
            target->onInfosLoaded(countLoaded);
        }
    }
    bool expired() const { return mTarget.expired(); }
    bool refersTo(const VAFileInfoCacheCallback* target) const {
        return !mTarget.expired() && mTarget.lock().get() == target;
    }

private:
    std::weak_ptr<VAFileInfoCacheCallback> mTarget;
};
