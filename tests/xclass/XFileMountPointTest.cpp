// Folders are made on demand, but never where a disk that is not mounted belongs.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "XFile.h"

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

}  // namespace

TEST(XFileMountPoints, AMissingVolumeIsNeverMadeNorAnythingOnIt) {
    const std::string pid = std::to_string(getpid());
    const std::string paths[] = {
        "/mnt/vantaro-absent-" + pid + "/Films",
        "/Volumes/vantaro-absent-" + pid + "/Films",
        "/media/vantaro-absent-" + pid + "/x/y",
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        errno = 0;
        EXPECT_FALSE(XFile::CreateFolderPath(XStr(path)));
        EXPECT_EQ(errno, ENOENT);
        // Even root, who could make it, leaves the mount point alone.
        EXPECT_FALSE(exists(path.substr(0, path.find('/', path.find("vantaro-absent")))));
    }
    EXPECT_FALSE(exists("/Volumes")) << "a root that is missing is not made either";
}
