#include "XForkLock.h"

std::shared_mutex& XForkLock() {
    static std::shared_mutex lock;
    return lock;
}
