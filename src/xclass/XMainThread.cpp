#include "XMainThread.h"

#include <mutex>

namespace {

std::mutex gMutex;
std::shared_ptr<XMainThreadPoster> gPoster;

}  // namespace

namespace XMainThread {

void setPoster(std::shared_ptr<XMainThreadPoster> poster) {
    std::lock_guard<std::mutex> lock(gMutex);
    gPoster = std::move(poster);
}

std::shared_ptr<XMainThreadPoster> poster() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gPoster;
}

void post(std::function<void()> work) {
    const std::shared_ptr<XMainThreadPoster> target = poster();
    if (target) {
        target->post(std::move(work));
    }
}

}  // namespace XMainThread
