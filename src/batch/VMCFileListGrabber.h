// Collects the checked files of folder trees on a worker thread, in tree order, and hands
// the list to its owner on the main thread; a cancelled grabber hands over nothing.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "KillSwitch.h"
#include "clCollectSink.h"
#include "clFolderListEntry.h"

class VMCFileListGrabber : public clCollectSink {
public:
    // What the collected files are for.
    enum class Action { kList, kConcatenate, kConvert };

    struct Results {
        Action action = Action::kList;
        // The entries, unless only locations were asked for.
        std::vector<std::shared_ptr<clFileListEntry>> files;
        XStrList urls;
    };
    // On the main thread: the results, or nothing when cancelled.
    using Done = std::function<void(std::optional<Results>)>;

    VMCFileListGrabber(std::vector<clFolderListEntry::Ptr> roots, Action action, bool onlyURLs,
                       Done done);
    // Cancels and waits for the worker.
    ~VMCFileListGrabber() override;
    VMCFileListGrabber(const VMCFileListGrabber&) = delete;
    VMCFileListGrabber& operator=(const VMCFileListGrabber&) = delete;

    void start();
    void cancel();
    // Runs the collection on the calling thread and answers the results (the command line).
    static Results collect(const std::vector<clFolderListEntry::Ptr>& roots, bool onlyURLs,
                           Action action = Action::kList);

    bool aborting() const override { return mKS.current()->die(); }
    void addFile(const std::shared_ptr<clFileListEntry>& file) override;

private:
    void run();

    std::vector<clFolderListEntry::Ptr> mRoots;
    const bool mOnlyURLs;
    Done mDone;
    KillSwitchHolder mKS;
    std::mutex mMutex;
    Results mResults;
    std::thread mThread;
};
