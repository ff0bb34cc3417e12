#include "VMCFileListGrabber.h"

#include "XMainThread.h"

VMCFileListGrabber::VMCFileListGrabber(std::vector<clFolderListEntry::Ptr> roots, Action action,
                                       bool onlyURLs, Done done)
    : mRoots(std::move(roots)), mOnlyURLs(onlyURLs), mDone(std::move(done)) {
    mResults.action = action;
}

VMCFileListGrabber::~VMCFileListGrabber() {
    cancel();
    if (mThread.joinable()) {
        mThread.join();
    }
}

void VMCFileListGrabber::start() {
    if (!mThread.joinable()) {
        mThread = std::thread([this] { run(); });
    }
}

void VMCFileListGrabber::cancel() {
    mKS.current()->kill();
}

void VMCFileListGrabber::addFile(const std::shared_ptr<clFileListEntry>& file) {
    const std::lock_guard<std::mutex> lock(mMutex);
    if (aborting()) {
        return;
    }
    if (mOnlyURLs) {
        mResults.urls.push_back(file->url());
    } else {
        mResults.files.push_back(file);
        mResults.urls.push_back(file->url());
    }
}

void VMCFileListGrabber::run() {
    for (const clFolderListEntry::Ptr& root : mRoots) {
        if (aborting()) {
            break;
        }
        root->collectCheckedFiles(*this);
    }
    std::optional<Results> results;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        if (!aborting()) {
            results = std::move(mResults);
        }
    }
    // The grabber may be gone when this runs; the switch tells.
    XMainThread::post([ks = mKS.current(), done = mDone, results = std::move(results)]() mutable {
        if (done) {
            done(ks->die() ? std::nullopt : std::move(results));
        }
    });
}

VMCFileListGrabber::Results VMCFileListGrabber::collect(
    const std::vector<clFolderListEntry::Ptr>& roots, bool onlyURLs, Action action) {
    VMCFileListGrabber grabber(roots, action, onlyURLs, nullptr);
    for (const clFolderListEntry::Ptr& root : roots) {
        root->collectCheckedFiles(grabber);
    }
    return std::move(grabber.mResults);
}
