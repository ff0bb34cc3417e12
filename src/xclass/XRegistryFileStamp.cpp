#include "XRegistryFileStamp.h"

#include <sys/stat.h>

namespace {

XRegistryFileStamp stampOf(const struct stat& st) {
    XRegistryFileStamp stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedSeconds = st.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = st.st_mtim.tv_nsec;
    stamp.changedSeconds = st.st_ctim.tv_sec;
    stamp.changedNanoseconds = st.st_ctim.tv_nsec;
    return stamp;
}

}  // namespace

XRegistryFileStamp XRegistryFileStamp::OfPath(const XFileName& path) {
    struct stat st {};
    if (stat(path.utf8().c_str(), &st) != 0) {
        return XRegistryFileStamp();
    }
    return stampOf(st);
}

XRegistryFileStamp XRegistryFileStamp::OfDescriptor(int fd) {
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0) {
        return XRegistryFileStamp();
    }
    return stampOf(st);
}
