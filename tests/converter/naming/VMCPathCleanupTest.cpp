// The path clean-up, the ANSI transliteration and case matching, as whole paths.
#include "VMCPathCleanup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "TestSupport.h"
#include "VMCAnsiTransliteration.h"
#include "VMCFolderCase.h"

namespace {

XStr repeat(const char* piece, std::size_t n) {
    XStr out;
    for (std::size_t i = 0; i < n; ++i) {
        out += piece;
    }
    return out;
}

struct CleanCase {
    const char* name;
    XStr path;
    XStr expected;
    XStr table = "/-:;";
    bool keepSlash = true;
    bool limitWholePath = false;
};

void expectCleaned(const std::vector<CleanCase>& cases) {
    for (const CleanCase& c : cases) {
        VMCPathCleanup::Options options;
        options.table = c.table;
        options.keepSlash = c.keepSlash;
        options.limitWholePath = c.limitWholePath;
        EXPECT_EQ(VMCPathCleanup::cleanPath(c.path, options), std::optional<XStr>(c.expected))
            << c.name;
    }
}

}  // namespace

TEST(VMCPathCleanup, CharactersAreReplacedAfterTheTable) {
    expectCleaned({
        {"colon", "Live: Paris/Track: 1", "Live; Paris/Track; 1"},
        {"slash not kept", "AC/DC", "AC-DC", "/-:;", false},
        {"star deletes", "Why?/What?", "Why/What", "?*"},
        {"first pair wins", "a", "b", "abac"},
        {"last character without partner", "a:b", "a:b", "x-:"},
        {"extension point never replaced", "a.b.c/d.e.mp4", "a-b-c/d-e.mp4", ".-"},
        {"control characters", "a\x01z\x1f\x7f" + XStr("\t"), "a_z___"},
        {"replacement that is a control character", "a", "_", XStr("a") + XStr(1, U'\x02')},
        {"replacement that is a slash splits", "a:b", "a/b", ":/"},
        {"leading slash run left alone", "//a//b/", "//a/b"},
        {"hidden names", ".hidden/ .x/..y", "hidden/x/y"},
        {"dots and blanks only", "a/. . ./b", "a/_/b"},
        {"parent names", "../../etc/passwd", "_/_/etc/passwd"},
        {"nothing", "", ""},
    });
}

TEST(VMCPathCleanup, LongNamesAreCutToTheirByteLimitKeepingTheExtension) {
    const XStr e = XStr("\u00e9");  // two bytes
    expectCleaned({
        {"300-character title", repeat("t", 300) + ".mp4", repeat("t", 245) + ".mp4"},
        {"folder", repeat("f", 260) + "/x", repeat("f", 249) + "/x"},
        {"249 stays", repeat("a", 249), repeat("a", 249)},
        {"two-byte letters", repeat("\u00e9", 200) + ".mkv", repeat("\u00e9", 122) + ".mkv"},
        {"four-byte letters", repeat("\U0001F600", 70), repeat("\U0001F600", 62)},
        {"extension too long to keep", "a." + repeat("x", 300), "a." + repeat("x", 247)},
    });
    EXPECT_EQ(VMCPathCleanup::byteSize(e), 2u);
}

TEST(VMCPathCleanup, WholePathsAreShortenedFromTheFileNameThenTheDeepestFolder) {
    const XStr f = repeat("f", 200);
    // 1005 bytes of folders.
    const XStr deep = "/" + f + "/" + f + "/" + f + "/" + f + "/" + f;
    const XStr shallower = "/" + f + "/" + f + "/" + f + "/" + f + "/";
    expectCleaned({
        // The base gives way down to 60 bytes, then the deepest folder.
        {"long base", deep + "/" + repeat("b", 100) + ".mp4",
         shallower + repeat("f", 153) + "/" + repeat("b", 60) + ".mp4", "/-", true, true},
        {"short base", deep + "/" + repeat("s", 40) + ".mp4",
         shallower + repeat("f", 173) + "/" + repeat("s", 40) + ".mp4", "/-", true, true},
        {"no folder", "/" + repeat("n", 240) + "/", "/" + repeat("n", 240), "/-", true, true},
        {"limit off", deep + "/" + repeat("b", 100) + ".mp4",
         deep + "/" + repeat("b", 100) + ".mp4", "/-", true, false},
    });

    // A folder cut away entirely takes its separator along.
    VMCPathCleanup::Options options;
    options.limitWholePath = true;
    options.base = "/" + repeat("x", 1010);
    EXPECT_EQ(VMCPathCleanup::cleanPath("ab/" + repeat("c", 20) + ".mp4", options),
              options.base + "/" + repeat("c", 7) + ".mp4");
    // Nothing left to cut but the base folder.
    options.base = "/" + repeat("x", 1030);
    EXPECT_EQ(VMCPathCleanup::cleanPath("a.mp4", options), std::nullopt);
}

TEST(VMCPathCleanup, TheBaseFolderAndTheKeptFoldersKeepTheirSpelling) {
    VMCPathCleanup::Options options;
    options.table = "/-:;";
    options.base = "/out:put/";
    EXPECT_EQ(VMCPathCleanup::cleanPath("/a:b/.c", options), XStr("/out:put/a;b/c"));
    options.keptFolders = 2;
    EXPECT_EQ(VMCPathCleanup::cleanPath("/a:b/.c/d:e/f:g", options),
              XStr("/out:put/a:b/.c/d;e/f;g"));
    // The file name is never a kept folder.
    EXPECT_EQ(VMCPathCleanup::cleanPath("/a:b/.c", options), XStr("/out:put/a:b/c"));
    options.base = "/";
    EXPECT_EQ(VMCPathCleanup::cleanPath("home/.x/.y", options), XStr("/home/.x/y"));
}

TEST(VMCPathCleanup, SafeInsideMeansNoEscapeNoDotNamesAndTheLimits) {
    struct Case {
        const char* folder;
        XStr path;
        bool safe;
    };
    const Case cases[] = {
        {"/out", "/out/a/b.mp4", true},
        {"/out/", "/out/a.mp4", true},
        {"/", "/a.mp4", true},
        {"/out", "/out", false},
        {"/out", "/outside/a.mp4", false},
        {"/out", "/out/../a.mp4", false},
        {"/out", "/out/./a.mp4", false},
        {"/out", "/out//a.mp4", false},
        {"/out", "/out/a/", false},
        {"/out", "/out/" + repeat("a", 249), true},
        {"/out", "/out/" + repeat("a", 250), false},
        {"/out", "/out/" + repeat("\u00e9", 125), false},
        {"/out", "/out/" + repeat("a/", 508) + "bc", true},
        {"/out", "/out/" + repeat("a/", 509) + "b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCPathCleanup::isSafeInside(c.folder, c.path), c.safe)
            << c.folder << " " << c.path.left(60);
    }
}

TEST(VMCAnsiTransliteration, AccentedLettersBecomePlainAndOtherCharactersUnderscores) {
    EXPECT_EQ(VMCAnsiTransliteration::pairs().size(), 2u * 173u);
    struct Case {
        XStr text;
        XStr expected;
    };
    const Case cases[] = {
        {"Beyonc\u00e9 \u2013 D\u00e9j\u00e0 Vu", "Beyonce _ Deja Vu"},
        {"\u00c6r\u00f8sk\u00f8bing Stra\u00dfe", "_roskobing Stra_e"},
        {"\u0141\u00f3d\u017a \u0130stanbul \u0131", "Lodz Istanbul i"},
        {"\u00ff\u00f0\u0149", "_on"},
        {"\u65e5\u672c \U0001F600", "__ _"},
        {"plain/ascii:1", "plain/ascii:1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCAnsiTransliteration::transliterate(c.text), c.expected) << c.text;
    }
    // Every pair of the table: an accented letter and a plain ASCII letter.
    const std::u32string& pairs = VMCAnsiTransliteration::pairs();
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        EXPECT_GE(pairs[i], 128u);
        EXPECT_TRUE((pairs[i + 1] >= U'A' && pairs[i + 1] <= U'Z') ||
                    (pairs[i + 1] >= U'a' && pairs[i + 1] <= U'z'));
        EXPECT_EQ(VMCAnsiTransliteration::replacementFor(pairs[i]), pairs[i + 1]);
    }
}

TEST(VMCFolderCase, NamesTakeTheSpellingOnTheDiskAndExactNamesWin) {
    TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("AC-DC").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("AC-DC/Back In Black").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("abba").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("ABBA").c_str(), 0755), 0);
    VMCFolderCase folders;
    VMCPathCleanup::Options options;
    options.base = XStr(dir.path());
    options.matchCase = &folders;
    struct Case {
        XStr path;
        XStr expected;
    };
    const Case cases[] = {
        {"ac-dc/back in black/x.mp4", "AC-DC/Back In Black/x.mp4"},
        {"Ac-Dc/new album/x.mp4", "AC-DC/new album/x.mp4"},
        {"Abba/x.mp4", "ABBA/x.mp4"},
        {"abba/x.mp4", "abba/x.mp4"},
        {"\u00e9/x.mp4", "\u00e9/x.mp4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCPathCleanup::cleanPath(c.path, options), XStr(dir.path()) + "/" + c.expected)
            << c.path;
    }
    // Each folder is listed once; a later change is seen after clear.
    const std::size_t listed = folders.foldersListed();
    for (const Case& c : cases) {
        EXPECT_EQ(VMCPathCleanup::cleanPath(c.path, options), XStr(dir.path()) + "/" + c.expected);
    }
    EXPECT_EQ(folders.foldersListed(), listed);
    ASSERT_EQ(mkdir(dir.file("Queen").c_str(), 0755), 0);
    EXPECT_EQ(VMCPathCleanup::cleanPath("queen/x", options), XStr(dir.path()) + "/queen/x");
    folders.clear();
    EXPECT_EQ(VMCPathCleanup::cleanPath("queen/x", options), XStr(dir.path()) + "/Queen/x");
}
