#include "VAFileStat.h"

#include <sys/stat.h>

std::optional<VAFileStat> VAFileStat::of(const XStr& path) {
    struct stat st {};
    if (path.empty() || stat(path.utf8().c_str(), &st) != 0) {
        return std::nullopt;
    }
    VAFileStat s;
    s.size = static_cast<int64_t>(st.st_size);
    s.modifiedSeconds = static_cast<int64_t>(st.st_mtim.tv_sec);
    s.modifiedNanoseconds = static_cast<int64_t>(st.st_mtim.tv_nsec);
    s.waits = S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
    return s;
}
