#include "VMCRunningChildren.h"

#include <signal.h>

#include <cstdlib>
#include <mutex>
#include <set>

namespace {

class Registry {
public:
    void add(pid_t pid) {
        std::lock_guard<std::mutex> lock(mMutex);
        mPids.insert(pid);
    }
    void remove(pid_t pid) {
        std::lock_guard<std::mutex> lock(mMutex);
        mPids.erase(pid);
    }
    std::size_t count() {
        std::lock_guard<std::mutex> lock(mMutex);
        return mPids.size();
    }
    std::vector<pid_t> pids() {
        std::lock_guard<std::mutex> lock(mMutex);
        return std::vector<pid_t>(mPids.begin(), mPids.end());
    }
    void killAll() {
        std::lock_guard<std::mutex> lock(mMutex);
        for (pid_t pid : mPids) {
            kill(pid, SIGKILL);
        }
    }

private:
    std::mutex mMutex;
    std::set<pid_t> mPids;
};

// Never destroyed: encoder threads may still register or remove children while the
// program exits. The children are killed by an exit handler instead.
Registry& registry() {
    static Registry* instance = [] {
        auto* r = new Registry;
        std::atexit([] { registry().killAll(); });
        return r;
    }();
    return *instance;
}

}  // namespace

namespace VMCRunningChildren {

void add(pid_t pid) {
    registry().add(pid);
}
void remove(pid_t pid) {
    registry().remove(pid);
}
std::size_t count() {
    return registry().count();
}
std::vector<pid_t> pids() {
    return registry().pids();
}
void killAll() {
    registry().killAll();
}

}  // namespace VMCRunningChildren
