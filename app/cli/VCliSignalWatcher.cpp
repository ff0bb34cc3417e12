#include "VCliSignalWatcher.h"

#include <signal.h>

#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

std::mutex gMutex;
VCliSignalWatcher::Handler gHandler;

sigset_t watchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

void watch() {
    const sigset_t set = watchedSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) {
            continue;
        }
        VCliSignalWatcher::dispatch(signal);
    }
}

}  // namespace

namespace VCliSignalWatcher {

void blockSignals() {
    const sigset_t set = watchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void start() {
    static std::once_flag once;
    std::call_once(once, [] { std::thread(watch).detach(); });
}

void setHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(gMutex);
    gHandler = std::move(handler);
}

Handler handler() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gHandler;
}

void dispatch(int signal) {
    Handler handler;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        handler = gHandler;
    }
    if (handler) {
        handler(signal);
    } else {
        std::_Exit(128 + signal);
    }
}

}  // namespace VCliSignalWatcher
