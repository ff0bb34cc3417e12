// Work that must run on the main thread is posted here: in order, without waiting. The GUI
// installs a poster backed by its event queue; the command line and the tests use XRunLoop.
#pragma once

#include <functional>
#include <memory>

class XMainThreadPoster {
public:
    virtual ~XMainThreadPoster() = default;
    // Runs the closure on the main thread later; closures posted from one thread run in
    // the order they were posted.
    virtual void post(std::function<void()> work) = 0;
};

namespace XMainThread {

void setPoster(std::shared_ptr<XMainThreadPoster> poster);
std::shared_ptr<XMainThreadPoster> poster();
// Without a poster the work is dropped: nothing may run on a thread that is not the main one.
void post(std::function<void()> work);

}  // namespace XMainThread
