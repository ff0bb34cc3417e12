// The path helpers every layer uses, one table per question.
#include "XPath.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

struct NameRow {
    const char* what;
    const char* path;
    const char* fileName;
    const char* extension;
    const char* baseName;
    const char* folder;
};

// Hidden names, several points, trailing and doubled slashes, the root and bare names.
const NameRow kNames[] = {
    {"plain", "/in/clip.mkv", "clip.mkv", ".mkv", "clip", "/in"},
    {"several points", "/in/clip.final.mkv", "clip.final.mkv", ".mkv", "clip.final", "/in"},
    {"no extension", "/in/noext", "noext", "", "noext", "/in"},
    {"hidden", "a/.hidden", ".hidden", "", ".hidden", "a"},
    {"hidden with extension", "a/.profile.bak", ".profile.bak", ".bak", ".profile", "a"},
    {"two leading points", "a/..x", "..x", "", "..x", "a"},
    {"point in the folder only", "/a.b/c", "c", "", "c", "/a.b"},
    {"trailing point", "/a/clip.", "clip.", ".", "clip", "/a"},
    {"dot dot", "/a/..", "..", "", "..", "/a"},
    {"in the root", "/a.mov", "a.mov", ".mov", "a", "/"},
    {"root", "/", "/", "", "/", "/"},
    {"bare name", "clip.mkv", "clip.mkv", ".mkv", "clip", "."},
    {"empty", "", "", "", "", "."},
    {"trailing slash", "/a/b/", "b", "", "b", "/a"},
    {"doubled slashes", "/a//b.c", "b.c", ".c", "b", "/a"},
    {"under the root with slashes", "//x", "x", "", "x", "/"},
    {"upper-case extension", "/a/c.MOV", "c.MOV", ".MOV", "c", "/a"},
    {"relative", "a/b/c.d", "c.d", ".d", "c", "a/b"},
};

}  // namespace

TEST(XPath, NamesExtensionsAndFoldersOfPaths) {
    for (const NameRow& row : kNames) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(XPath::fileName(XStr(row.path)), XStr(row.fileName));
        EXPECT_EQ(XPath::extension(XStr(row.path)), XStr(row.extension));
        EXPECT_EQ(XPath::baseName(XStr(row.path)), XStr(row.baseName));
        EXPECT_EQ(XPath::folderOf(XStr(row.path)), XStr(row.folder));
        // The byte forms agree with the text forms.
        EXPECT_EQ(XPath::fileName(std::string(row.path)), std::string(row.fileName));
        EXPECT_EQ(XPath::folderOf(std::string(row.path)), std::string(row.folder));
    }
}

TEST(XPath, BytesThatAreNotUtf8SurviveTheTextForms) {
    const std::string path = "/in/\xff\xfe.mkv";
    EXPECT_EQ(XPath::fileName(XStr(path)).utf8(), "\xff\xfe.mkv");
    EXPECT_EQ(XPath::withExtension(XStr(path), ".mp4").utf8(), "/in/\xff\xfe.mp4");
}

TEST(XPath, JoiningPutsExactlyOneSlashBetween) {
    struct Row {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Row rows[] = {
        {"/out", "a.mp4", "/out/a.mp4"},
        {"/out/", "a.mp4", "/out/a.mp4"},
        {"/out//", "/a.mp4", "/out/a.mp4"},
        {"/", "a.mp4", "/a.mp4"},
        {"/", "//a", "/a"},
        {"", "a/b", "a/b"},
        {"/out", "", "/out"},
        {"rel", "x/y", "rel/x/y"},
        {"/out", "sub/", "/out/sub/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.folder) + " + " + row.name);
        EXPECT_EQ(XPath::join(XStr(row.folder), XStr(row.name)), XStr(row.joined));
        EXPECT_EQ(XPath::join(std::string(row.folder), std::string(row.name)),
                  std::string(row.joined));
    }
}

TEST(XPath, ReplacingTheExtensionTouchesOnlyTheLastComponent) {
    struct Row {
        const char* path;
        const char* ext;
        const char* result;
    };
    const Row rows[] = {
        {"/in/a b.mov", ".mp4", "/in/a b.mp4"},
        {"/in/clip.final.mkv", ".mp4", "/in/clip.final.mp4"},
        {"/in/noext", ".mp4", "/in/noext.mp4"},
        {"/in/.hidden", ".mp4", "/in/.hidden.mp4"},
        {"/a.b/c", ".mp4", "/a.b/c.mp4"},
        {"/in/a.mov", "", "/in/a"},
        {"/in/dir/", ".x", "/in/dir.x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(XPath::withExtension(XStr(row.path), XStr(row.ext)), XStr(row.result));
    }
}

TEST(XPath, LexicalNormalFormNeverClimbsAboveTheRoot) {
    struct Row {
        const char* path;
        const char* normal;
    };
    const Row rows[] = {
        {"/a/./b/../c", "/a/c"},
        {"/../../etc", "/etc"},
        {"/a/b/", "/a/b"},
        {"a/../../b", "../b"},
        {"./", "."},
        {"//a//b", "/a/b"},
        {"/", "/"},
        {"a/..", "."},
        {"/a/.../b", "/a/.../b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(XPath::lexicallyNormal(XStr(row.path)), XStr(row.normal));
    }
}

TEST(XPath, ComponentsAndTrailingSlashes) {
    EXPECT_EQ(XPath::components("/a//b/"), (XStrList{"a", "b"}));
    EXPECT_TRUE(XPath::components("///").empty());
    EXPECT_EQ(XPath::withoutTrailingSlash(XStr("/a/b//")), XStr("/a/b"));
    EXPECT_EQ(XPath::withoutTrailingSlash(XStr("///")), XStr("/"));
    EXPECT_EQ(XPath::withoutTrailingSlash(std::string("x/")), "x");
    EXPECT_TRUE(XPath::isAbsolute("/x"));
    EXPECT_FALSE(XPath::isAbsolute("x/"));
    EXPECT_FALSE(XPath::isAbsolute(""));
}

TEST(XPath, MountPointRootsAndTheVolumesInThem) {
    ScopedEnv user("USER", "alice");
    struct Row {
        const char* path;
        bool root;
        bool neverCreated;
        const char* volume;
    };
    const Row rows[] = {
        {"/media", true, true, ""},
        {"/media/alice", true, true, ""},
        {"/media/alice/DISK", false, true, "/media/alice/DISK"},
        {"/media/alice/DISK/Films/x", false, false, "/media/alice/DISK"},
        {"/media/bob/Films", false, false, "/media/bob"},
        {"/run", false, true, ""},
        {"/run/media", false, true, ""},
        {"/run/media/alice/USB/", false, true, "/run/media/alice/USB"},
        {"/mnt/share/a", false, false, "/mnt/share"},
        {"/Volumes/Disk", false, true, "/Volumes/Disk"},
        {"/Network/Server/x", false, false, "/Network/Server"},
        {"/", false, true, ""},
        {"/home/alice/Videos", false, false, ""},
        {"/media/../home/x", false, false, ""},
        {"mnt/x", false, false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(XPath::isMountPointRoot(XStr(row.path)), row.root);
        EXPECT_EQ(XPath::isNeverCreated(XStr(row.path)), row.neverCreated);
        EXPECT_EQ(XPath::volumeOf(XStr(row.path)), XStr(row.volume));
    }
}

TEST(XPath, AUserNameThatIsNoNameAddsNoRoot) {
    for (const char* name : {"", "..", "a/b"}) {
        ScopedEnv user("USER", name);
        EXPECT_EQ(XPath::mountPointRoots(), (XStrList{"/Volumes", "/Network", "/media", "/mnt"}));
    }
}
