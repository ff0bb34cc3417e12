// A descriptor that exists for a moment before it is made close-on-exec would leak into a
// child forked from another thread in that moment. Code that makes such descriptors holds
// this lock shared; the launcher holds it exclusively across fork.
#pragma once

#include <shared_mutex>

std::shared_mutex& XForkLock();
