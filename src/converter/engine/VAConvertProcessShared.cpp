#include "VAConvertProcessShared.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "VAConvertSourceConcat.h"

const std::set<XStr>& VAConvertProcessShared::specialActionNames() {
    static const std::set<XStr> kNames = {kPreserveSourceAttributes, kDeleteSourceFile};
    return kNames;
}

bool VAConvertProcessShared::isSameFile(const XStr& a, const XStr& b) {
    if (a.equalsNoCase(b)) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return stat(a.utf8().c_str(), &sa) == 0 && stat(b.utf8().c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

namespace {

void copyFileTimes(const XStr& from, const XStr& to) {
    struct stat st {};
    if (stat(from.utf8().c_str(), &st) != 0) {
        return;
    }
    timeval times[2];
    times[0].tv_sec = st.st_atim.tv_sec;
    times[0].tv_usec = st.st_atim.tv_nsec / 1000;
    times[1].tv_sec = st.st_mtim.tv_sec;
    times[1].tv_usec = st.st_mtim.tv_nsec / 1000;
    utimes(to.utf8().c_str(), times);
}

void deleteUnlessDestination(const XStr& source, const XStr& destination) {
    // Deleting the source of a same-file job would delete the new output.
    if (VAConvertProcessShared::isSameFile(source, destination)) {
        return;
    }
    unlink(source.utf8().c_str());
}

}  // namespace

void VAConvertProcessShared::handleSpecialActions(const VMCProcessArg& arg) {
    if (!arg.srcFrom) {
        return;
    }
    // Times first: the source must still be there to read them from.
    if (arg.specialActions.count(kPreserveSourceAttributes) != 0) {
        copyFileTimes(arg.srcFrom->urlForConversion, arg.urlTo);
    }
    if (arg.specialActions.count(kDeleteSourceFile) != 0) {
        const auto* concat = dynamic_cast<const VAConvertSourceConcat*>(arg.srcFrom.get());
        if (concat != nullptr) {
            for (const XStr& path : concat->concatURLs()) {
                deleteUnlessDestination(path, arg.urlTo);
            }
        } else {
            deleteUnlessDestination(arg.srcFrom->urlForConversion, arg.urlTo);
        }
    }
}
