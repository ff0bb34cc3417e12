#include "VMCFileURL.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(VMCFileURL, LocalURLsGiveTheBytesOfTheirPath) {
    struct Row {
        std::string url;
        std::optional<std::string> path;
    };
    const std::vector<Row> rows = {
        {"file:///home/u/clip.mp4", "/home/u/clip.mp4"},
        {"file:///home/u/a%20clip%2B1.mp4", "/home/u/a clip+1.mp4"},
        // Escapes that are not UTF-8 are the name's own bytes.
        {"file:///m/caf%E9%ff.mov", "/m/caf\xe9\xff.mov"},
        {"file:///m/%C3%A9t%C3%A9.mov", "/m/\xc3\xa9t\xc3\xa9.mov"},
        {"FILE://LocalHost/m/a.mov", "/m/a.mov"},
        {"file:/m/short.mov", "/m/short.mov"},
        {"file:///m/folder/", "/m/folder/"},
        {"file:///m/100%.mov", "/m/100%.mov"},
        {"file:///m/a%2.mov", "/m/a%2.mov"},
        {"file:///m/a%zz.mov", "/m/a%zz.mov"},
        {"file:///m/a.mov?query#part", "/m/a.mov"},
        {"file:///m/hash%23name.mov", "/m/hash#name.mov"},
        {"http://example.com/a.mov", std::nullopt},
        {"smb://server/share/a.mov", std::nullopt},
        {"file://server/share/a.mov", std::nullopt},
        {"file://", std::nullopt},
        {"file:relative.mov", std::nullopt},
        {"file:///m/nul%00.mov", std::nullopt},
        {"", std::nullopt},
        {"/m/plain/path.mov", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.url);
        const std::optional<XStr> path = VMCFileURL::localPath(row.url);
        ASSERT_EQ(path.has_value(), row.path.has_value());
        if (path) {
            EXPECT_EQ(path->utf8(), *row.path);
        }
    }
}

TEST(VMCFileURL, TheMachinesOwnHostNameIsLocal) {
    char name[256] = {};
    ASSERT_EQ(gethostname(name, sizeof(name) - 1), 0);
    ASSERT_NE(name[0], '\0');
    const std::optional<XStr> path =
        VMCFileURL::localPath("file://" + std::string(name) + "/m/a.mov");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, XStr("/m/a.mov"));
}

}  // namespace
