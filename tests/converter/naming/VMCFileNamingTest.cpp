// Whole destination paths of the naming object: beside the source, one folder, a folder and
// a template; the character rules of the settings store; and tags that try to leave the
// destination folder.
#include "VMCFileNaming.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <memory>
#include <string>

#include "NamingCase.h"
#include "TestSupport.h"
#include "VAMediaFileInfo.h"
#include "VMCPathCleanup.h"
#include "XRegistry.h"

namespace {

XStr repeat(const char* piece, std::size_t n) {
    XStr out;
    for (std::size_t i = 0; i < n; ++i) {
        out += piece;
    }
    return out;
}

std::shared_ptr<VAMediaFileInfo> infoWith(const TagList& tags, const TagList& props = {}) {
    auto info = std::make_shared<VAMediaFileInfo>();
    info->setIDTags(VATag(makeTags(tags)));
    info->setMediaProps(VATag(makeTags(props)));
    return info;
}

// Each test has its own settings store, home folder and destination folder.
class Naming : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        ASSERT_EQ(mkdir(mDir.file("out").c_str(), 0755), 0);
    }
    XStr out(const std::string& rest = "") const { return XStr(mDir.file("out") + rest); }
    VMCFileNaming dynamic(const XStr& format) const {
        VMCFileNaming naming = VMCFileNaming::namingSingleFolder(out());
        naming.setFileNamingType(VMCFileNaming::kDynamic);
        naming.setDynamicFormat(format);
        return naming;
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mHome{"HOME", mDir.path().c_str()};
    ScopedEnv mConfig{"XDG_CONFIG_HOME", mDir.file("config").c_str()};
};

const std::string kLongTitle(300, 'x');

struct PathCase {
    const char* name;
    const char* format;
    TagList tags;
    XStr expected;  // under the destination folder
};

}  // namespace

TEST_F(Naming, DefaultsComeFromTheSettingsStore) {
    const VMCFileNaming plain;
    EXPECT_EQ(plain.fileNamingType(), VMCFileNaming::kSameFolder);
    EXPECT_EQ(plain.dynamicFormat(), "[artist]/[artist] - [title]");
    EXPECT_EQ(plain.characterReplacement(), "/-:;");
    EXPECT_FALSE(plain.ansiOnly());
    EXPECT_EQ(plain.destination().url(), XStr(mDir.file("Videos")));

    XRegistry::SetString(VMCFileNaming::kValueChrReplace, "?*");
    XRegistry::SetDWORD(VMCFileNaming::kValueANSIOnly, 1);
    const VMCFileNaming stored;
    EXPECT_EQ(stored.characterReplacement(), "?*");
    EXPECT_TRUE(stored.ansiOnly());
}

TEST_F(Naming, DocumentedDestinations) {
    const XStr source = XStr(mDir.file("in/b:c/song.mkv"));
    VMCFileNaming beside;
    EXPECT_EQ(beside.fullPathForSource("/a/b/song.mkv", nullptr, ".mp4"), XStr("/a/b/song.mp4"));
    EXPECT_EQ(beside.fullPathForSource("/a/b/.song.mkv", nullptr, ".mp4"), XStr("/a/b/song.mp4"));

    VMCFileNaming sourceFolders = VMCFileNaming::namingSameFolder();
    EXPECT_TRUE(sourceFolders.isSameFolder());
    EXPECT_EQ(sourceFolders.fullPathForSource(source, nullptr, ".mp4"),
              XStr(mDir.file("in/b:c/song.mp4")));

    VMCFileNaming single = VMCFileNaming::namingSingleFolder(out());
    EXPECT_EQ(single.fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(single.dynamicFormat(), "[origfilename]");
    EXPECT_EQ(single.fullPathForSource(source, nullptr, ".mp4"), out("/song.mp4"));

    // The source's folders under the destination, as they are spelt.
    VMCFileNaming preserved = VMCFileNaming::namingPreservePath(out());
    EXPECT_EQ(preserved.fullPathForSource(source, nullptr, ".mp4"),
              out(mDir.file("in/b:c/song.mp4").c_str()));
}

TEST_F(Naming, TemplatesAreExpandedAndCleaned) {
    const std::vector<PathCase> cases = {
        {"tree",
         "[artist]/[album]/[track] - [title]",
         {{"artist", "AC/DC"}, {"album", "Back in Black"}, {"track", "6/10"}, {"title", "Hells"}},
         "AC-DC/Back in Black/06 - Hells.mp4"},
        {"colon", "[title]", {{"title", "Live: Paris"}}, "Live; Paris.mp4"},
        {"slash", "[title]", {{"title", "/"}}, "-.mp4"},
        {"leading dot",
         "[artist]/[title]",
         {{"artist", ".hidden"}, {"title", ".dot"}},
         "hidden/dot.mp4"},
        {"dots and spaces", "[title]", {{"title", ". . .."}}, "_.mp4"},
        {"empty", "[title]", {}, "_.mp4"},
        {"300 characters", "[title]", {{"title", kLongTitle.c_str()}}, repeat("x", 245) + ".mp4"},
        {"grouped",
         "[GROUP]3,[artist][]/[artist]/[album]/[track] - [UPPER][title][]",
         {{"artist", "Beatles"}, {"album", "Help!"}, {"track", "3"}, {"title", "Yesterday"}},
         "a-c/Beatles/Help!/03 - YESTERDAY.mp4"},
        {"source folders kept",
         "[origpath]/[artist] - [origfilename]",
         {{"artist", "A:B"}},
         mDir.file("in/x:y").substr(1) + "/A;B - song.mp4"},
        {"trailing slash", "[artist]/", {{"artist", "Abba"}}, "Abba.mp4"},
        {"backslash is no folder",
         "[artist]\\[title]",
         {{"artist", "a"}, {"title", "b"}},
         "a\\b.mp4"},
    };
    const XStr source = XStr(mDir.file("in/x:y/song.mkv"));
    for (const PathCase& c : cases) {
        VMCFileNaming naming = dynamic(c.format);
        const auto info = infoWith(c.tags);
        EXPECT_EQ(naming.fullPathForSource(source, info.get(), ".mp4"), out("/") + c.expected)
            << c.name;
    }
}

TEST_F(Naming, CharacterRulesOfTheObjectApplyToTheTemplatePartOnly) {
    const XStr source = XStr(mDir.file("in/\u00c9t\u00e9:1/song.mkv"));
    VMCFileNaming naming = dynamic("[origpath]/[artist]/[title]");
    naming.setAnsiOnly(true);
    naming.setCharacterReplacement("?*:-");
    const auto info = infoWith({{"artist", "Bj\u00f6rk?"}, {"title", "J\u00f3ga: \u00c6"}});
    EXPECT_EQ(naming.fullPathForSource(source, info.get(), ".mp3"),
              out(mDir.file("in/\u00c9t\u00e9:1/Bjork/Joga- _.mp3").c_str()));
}

TEST_F(Naming, MetadataIsNeededOnlyByTemplatesThatReadIt) {
    const XStr source = "/music/a.flac";
    VMCFileNaming tags = dynamic("[artist]/[origfilename]");
    EXPECT_TRUE(tags.needsMetaFromFiles());
    EXPECT_EQ(tags.subPathForSource(source, nullptr), std::nullopt);
    EXPECT_EQ(tags.fullPathForSource(source, nullptr, ".mp3"), std::nullopt);
    const auto info = infoWith({{"ARTIST", "Abba"}}, {{"Channels", "2"}});
    EXPECT_EQ(tags.subPathForSource(source, info.get()), XStr("Abba/a"));

    VMCFileNaming props = dynamic("[channels]ch [origfilename]");
    EXPECT_TRUE(props.needsMetaFromFiles());
    EXPECT_EQ(props.subPathForSource(source, info.get()), XStr("2ch a"));
    // A tag of the file wins over a property of the same name.
    const auto both = infoWith({{"channels", "many"}}, {{"Channels", "2"}});
    EXPECT_EQ(props.subPathForSource(source, both.get()), XStr("manych a"));

    for (const char* format : {"[origfilename]", "[origpath]/[origfilename]", "[date] [time]"}) {
        VMCFileNaming none = dynamic(format);
        EXPECT_FALSE(none.needsMetaFromFiles()) << format;
        EXPECT_TRUE(none.subPathForSource(source, nullptr).has_value()) << format;
    }
    VMCFileNaming beside;
    beside.setDynamicFormat("[artist]");
    EXPECT_FALSE(beside.needsMetaFromFiles()) << "only templates of type 2 are read";
}

TEST_F(Naming, EncoderFieldsComeFromTheConversionAndTheRecord) {
    VMCFileNaming naming = dynamic("[encoder] - [encoder+]");
    EXPECT_TRUE(naming.usesEncoderInfo());
    EXPECT_EQ(naming.subPathForSource("/a/b.mkv", nullptr), XStr("- ")) << "no encoder, no values";
    naming.setEncoder(VAEncoderDesc::makeVideoCodec("MP4 H.264", ".mp4"), VAEncoderArgs());
    naming.setEncoderExtra("1080p");
    EXPECT_EQ(naming.subPathForSource("/a/b.mkv", nullptr), XStr("MP4 H.264 - MP4 H.264 1080p"));

    // The record's own encoder, when the template reads the file.
    VMCFileNaming recorded = dynamic("[title] [encoder+]");
    const auto info = infoWith({{"title", "t"}}, {{"encoder", "Lavf"}, {"encoder settings", "x"}});
    EXPECT_EQ(recorded.subPathForSource("/a/b.mkv", info.get()), XStr("t Lavf x"));
    EXPECT_FALSE(VMCFileNaming::namingUsesEncoderInfo("[ENCODER]"));
}

TEST_F(Naming, DateFieldsAreLocalTime) {
    ScopedEnv tz("TZ", "Europe/Berlin");
    tzset();
    NTag tags;
    tags.SetString("date", "old");
    // 2024-02-29 23:30:05 UTC is already 1 March in Berlin, a Friday.
    VMCFileNaming::addDateFieldsTo(tags, 1709249405);
    EXPECT_EQ(tags.GetString("date"), "2024-03-01");
    EXPECT_EQ(tags.GetString("time"), "00:30:05");
    EXPECT_EQ(tags.GetString("day_of_week"), "5");
    EXPECT_EQ(tags.GetString("now_year"), "2024");
    EXPECT_EQ(tags.Elements().size(), 4u) << "the old date was replaced";
    tzset();
}

TEST_F(Naming, ConversionToTemplatesAndTheQueries) {
    VMCFileNaming beside;
    EXPECT_TRUE(beside.isSameFolder());
    EXPECT_TRUE(beside.isOrigFileName());
    EXPECT_FALSE(beside.usingDestinationFolder());
    EXPECT_TRUE(beside.convertToR16Dynamic());
    EXPECT_EQ(beside.fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(beside.dynamicFormat(), "[origpath]/[origfilename]");
    EXPECT_EQ(beside.destination().url(), "/");
    EXPECT_TRUE(beside.isSameFolder());
    EXPECT_FALSE(beside.convertToR16Dynamic());

    VMCFileNaming parent = VMCFileNaming::namingUseParentConfig();
    EXPECT_TRUE(parent.isUseParentConfig());
    EXPECT_FALSE(parent.usingDestinationFolder());
    EXPECT_FALSE(parent.prepareFolder());
    EXPECT_FALSE(parent.convertToR16Dynamic());

    VMCFileNaming preserved = VMCFileNaming::namingPreservePath(out());
    EXPECT_FALSE(preserved.isSameFolder());
    EXPECT_TRUE(preserved.isOrigFileName());
    EXPECT_TRUE(preserved.usingDestinationFolder());
    EXPECT_EQ(preserved.descriptionRaw(), out("/[origpath]/[origfilename]"));
    EXPECT_EQ(preserved.description(), out("/Source Path/Source Filename"));
    EXPECT_FALSE(dynamic("[artist]").isOrigFileName());
    EXPECT_EQ(VMCFileNaming::sanitizeDynamicPattern("[artist]\\[album]\\x"), "[artist]/[album]/x");

    VMCFileNaming copy = preserved.copy();
    EXPECT_TRUE(copy.isEqualTo(preserved));
    copy.setDynamicFormat("[title]");
    EXPECT_FALSE(copy.isEqualTo(preserved));
    copy.copyFrom(preserved);
    EXPECT_TRUE(copy.isEqualTo(preserved));
}

TEST_F(Naming, APathUnderTheDestinationStaysInsideWhateverTheTagsHold) {
    const XStr hostile[] = {
        "../../../../etc/passwd",
        "/etc/passwd",
        "..",
        ".",
        "a/../../b",
        "\u202Egnp.exe",
        XStr("ctl\x01\x1b[31m\x7f"),
        repeat("\u00e9", 10000),
        repeat("../", 500),
        "<brackets_>..[]/..",
        "x\\..\\..\\y",
    };
    const char* formats[] = {
        "[artist]/[title]",
        "[artist]/[album]/[track] - [title]",
        "[tag]artist[]/../[title]",
        "../[title]",
        "[origfilename]/[title]",
        "[GRAB]1,3,[title][]/..",
        "[REPLACE]-,/,[artist][]/[title]",
    };
    const XStr source = XStr(mDir.file("in/song.mkv"));
    for (const char* format : formats) {
        for (const XStr& value : hostile) {
            VMCFileNaming naming = dynamic(format);
            const auto info = infoWith({{"artist", value.utf8().c_str()},
                                        {"album", value.utf8().c_str()},
                                        {"track", value.utf8().c_str()},
                                        {"title", value.utf8().c_str()}});
            const std::optional<XStr> path = naming.fullPathForSource(source, info.get(), ".mp4");
            ASSERT_TRUE(path.has_value()) << format << " " << value.left(40);
            EXPECT_TRUE(VMCPathCleanup::isSafeInside(out(), *path))
                << format << " " << value.left(40) << " -> " << *path;
            EXPECT_TRUE(path->endsWith(".mp4")) << *path;
        }
    }
}

TEST_F(Naming, ADestinationThatCannotBeUsedGivesNoPath) {
    writeTextFile(mDir.file("file"), "x");
    VMCFileNaming naming = VMCFileNaming::namingSingleFolder(XStr(mDir.file("file/below")));
    EXPECT_EQ(naming.fullPathForSource("/a/b.mkv", nullptr, ".mp4"), std::nullopt);
    XStr why;
    EXPECT_FALSE(naming.prepareFolder(&why));
    EXPECT_FALSE(why.empty());

    // A destination folder that leaves no room for a name: 1018 bytes deep.
    XStr folder = out();
    while (folder.size() < 1018) {
        folder += "/" + repeat("d", std::min<std::size_t>(200, 1017 - folder.size()));
    }
    ASSERT_EQ(folder.size(), 1018u);
    VMCFileNaming deep = VMCFileNaming::namingSingleFolder(folder);
    ASSERT_TRUE(deep.prepareFolder());
    EXPECT_EQ(deep.fullPathForSource("/a/b.mkv", nullptr, ".m"), folder + "/b.m");
    EXPECT_EQ(deep.fullPathForSource("/a/b.mkv", nullptr, ".mp4"), std::nullopt);

    VMCFileNaming fresh = VMCFileNaming::namingSingleFolder(out("/new/tree"));
    EXPECT_TRUE(fresh.prepareFolder());
    struct stat st {};
    EXPECT_EQ(stat(mDir.file("out/new/tree").c_str(), &st), 0);
}

TEST_F(Naming, AnEmptyTemplateStillNamesAFile) {
    VMCFileNaming empty = dynamic("");
    EXPECT_EQ(empty.fullPathForSource("/a/b.mkv", nullptr, ".mp4"), out("/_.mp4"));
    // The leading source path alone names the file after the source's folder.
    VMCFileNaming folder = dynamic("[origpath]");
    EXPECT_EQ(folder.fullPathForSource("/a/b/c.mkv", nullptr, ".mp4"), out("/a/b.mp4"));
}
