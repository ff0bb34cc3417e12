// Outputs named from the files' own tags: "vantaro names" says where each goes, the
// conversion puts it there, tags cannot lead outside the destination folder, and only
// templates that read tags start ffprobe.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <set>

#include "CliE2E.h"
#include "XRegistry.h"

namespace {

const char* const kTree = "[artist]/[album]/[track] - [title]";

// FFmpeg and ffprobe stand-ins on the PATH: each notes that it ran, then runs the real one.
class NamesE2E : public CliE2E {
protected:
    void SetUp() override {
        CliE2E::SetUp();
        ASSERT_EQ(mkdir(mDir.file("bin").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("calls").c_str(), 0755), 0);
        const std::string ffprobe = XFindProgram("ffprobe").utf8();
        for (const auto& [name, real] : {std::pair{"ffmpeg", mFFmpeg}, {"ffprobe", ffprobe}}) {
            writeExecutable(mDir.file(std::string("bin/") + name),
                            "#!/bin/sh\n"
                            "mktemp \"$VANTARO_TEST_CALLS/" +
                                std::string(name) +
                                ".XXXXXX\" >/dev/null || exit 99\n"
                                "exec " +
                                sq(real) + " \"$@\"\n");
        }
        mPath = std::make_unique<ScopedEnv>(
            "PATH", (mDir.file("bin") + ":" + std::string(getenv("PATH"))).c_str());
    }

    // How often the program was run since the last call.
    std::size_t takeCalls(const std::string& program) {
        std::size_t n = 0;
        for (const std::string& name : folderEntries(mDir.file("calls"))) {
            if (name.rfind(program + ".", 0) == 0) {
                unlink(mDir.file("calls/" + name).c_str());
                ++n;
            }
        }
        return n;
    }

    std::string media(const std::string& name,
                      std::vector<std::pair<std::string, std::string>> tags) {
        TestMedia m;
        m.seconds = 0.4;
        m.size = "160x120";
        m.metadata = std::move(tags);
        const std::string path = mDir.file("in/" + name);
        EXPECT_TRUE(makeTestMedia(path, m)) << path;
        return path;
    }

    // Every regular file under a folder, as paths relative to it.
    static std::set<std::string> filesUnder(const std::string& root, const std::string& at = "") {
        std::set<std::string> found;
        for (const std::string& name : folderEntries(root + at)) {
            const std::string rel = at + "/" + name;
            struct stat st {};
            if (lstat((root + rel).c_str(), &st) != 0) {
                ADD_FAILURE() << "vanished: " << rel;
            } else if (S_ISDIR(st.st_mode)) {
                const std::set<std::string> below = filesUnder(root, rel);
                found.insert(below.begin(), below.end());
            } else {
                found.insert(rel.substr(1));
            }
        }
        return found;
    }

    // "vantaro names --json": the destination of each source, in order.
    std::vector<json> names(std::vector<std::string> args, int expected = 0) {
        args.insert(args.begin(), {"names", "--json"});
        CliProcess p;
        EXPECT_EQ(vantaro(args, p), expected) << p.err;
        return events(p);
    }

    ScopedEnv mCalls{"VANTARO_TEST_CALLS", mDir.file("calls").c_str()};
    std::unique_ptr<ScopedEnv> mPath;
};

}  // namespace

TEST_F(NamesE2E, ATemplateTreeIsNamedBeforehandAndTheOutputsLandThere) {
    // Matroska keeps every tag, the track number too.
    const std::string a = media("a.mkv", {{"artist", "AC/DC"},
                                          {"album", "Back in Black"},
                                          {"track", "6"},
                                          {"title", "Hells Bells"}});
    const std::string b = media(
        "b.mkv",
        {{"artist", "Abba"}, {"album", "Gold"}, {"track", "2/19"}, {"title", ".Dancing Queen"}});
    const std::string c =
        media("c.mkv",
              {{"artist", "Abba"}, {"album", ".Live"}, {"track", "11"}, {"title", "SOS: Encore"}});
    const std::string out = mDir.file("out");
    const std::vector<std::string> expected = {
        "AC-DC/Back in Black/06 - Hells Bells.mp4",
        "Abba/Gold/02 - .Dancing Queen.mp4",
        "Abba/Live/11 - SOS; Encore.mp4",
    };
    const std::vector<std::string> sources = {a, b, c};

    // Named before anything is converted, as JSON and as lines.
    const std::vector<json> before = names({"--template", kTree, "-o", out, a, b, c});
    ASSERT_EQ(before.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(before[i].at("source"), sources[i]);
        EXPECT_EQ(before[i].at("destination"), out + "/" + expected[i]);
        EXPECT_FALSE(before[i].at("exists").get<bool>());
        EXPECT_FALSE(before[i].at("shared").get<bool>());
    }
    CliProcess lines;
    EXPECT_EQ(vantaro({"names", "--template", kTree, "-o", out, a, b, c}, lines), 0) << lines.err;
    EXPECT_EQ(lines.out, a + " -> " + out + "/" + expected[0] + "\n" + b + " -> " + out + "/" +
                             expected[1] + "\n" + c + " -> " + out + "/" + expected[2] + "\n");
    EXPECT_FALSE(fileExists(out)) << "naming makes no folder";

    CliProcess run;
    ASSERT_EQ(vantaro({"convert", "--template", kTree, "-o", out, "--encoder-args",
                       "-c:v libx264 -preset ultrafast -c:a aac", a, b, c},
                      run),
              0)
        << run.err;
    EXPECT_EQ(filesUnder(out), std::set<std::string>(expected.begin(), expected.end()));
    for (const std::string& rel : expected) {
        EXPECT_EQ(probeValue(out + "/" + rel, "v:0", "codec_name"), "h264") << rel;
    }

    // Now they are there.
    const std::vector<json> after = names({"--template", kTree, "-o", out, a, b, c});
    ASSERT_EQ(after.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(after[i].at("destination"), before[i].at("destination"));
        EXPECT_TRUE(after[i].at("exists").get<bool>());
    }
}

TEST_F(NamesE2E, OnlyTemplatesThatReadTagsStartFFprobeAndOnlyOnce) {
    const std::string a = media("a.mov", {{"artist", "Abba"}});
    const std::string b = media("b.mov", {{"artist", "Queen"}});
    const std::string out = mDir.file("out");
    takeCalls("ffprobe");

    const std::vector<json> plain =
        names({"--template", "[origfilename]/[UPPER][origfilename][] [date]", "-o", out, a, b});
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0].at("destination").get<std::string>().rfind(out + "/a/A ", 0), 0u);
    CliProcess dry;
    EXPECT_EQ(
        vantaro({"convert", "--dry-run", "--template", "[origfilename] x", "-o", out, a, b}, dry),
        0)
        << dry.err;
    EXPECT_EQ(takeCalls("ffprobe"), 0u) << "nothing read the tags";

    const std::vector<json> tagged = names({"--template", "[artist]/x", "-o", out, a, b});
    ASSERT_EQ(tagged.size(), 2u);
    EXPECT_EQ(tagged[0].at("destination"), out + "/Abba/x.mp4");
    EXPECT_EQ(tagged[1].at("destination"), out + "/Queen/x.mp4");
    EXPECT_EQ(takeCalls("ffprobe"), 2u);
    names({"--template", "[artist] - [origfilename]", "-o", out, a, b});
    EXPECT_EQ(takeCalls("ffprobe"), 0u) << "the records kept from the first time";
}

TEST_F(NamesE2E, TagsThatPointElsewhereStayInsideTheDestination) {
    const std::string bad = media("bad.mkv", {{"artist", "../../../../tmp"},
                                              {"album", "/etc/passwd"},
                                              {"title", ".."},
                                              {"track", "../.."}});
    const std::string out = mDir.file("out");
    const std::vector<json> named = names({"--template", kTree, "-o", out, bad});
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].at("destination"), out + "/-..-..-..-tmp/-etc-passwd/- ...mp4");

    // Functions that turn values into folders cannot climb either.
    const std::vector<json> split =
        names({"--template", "[REPLACE]-,/,[artist][]/[REPLACE]-,/,[album][]", "-o", out, bad});
    ASSERT_EQ(split.size(), 1u);
    EXPECT_EQ(split[0].at("destination"), out + "/_/_/_/_/tmp/etc/passwd.mp4");
}

TEST_F(NamesE2E, SharedAndExistingOutputsAreMarkedAndUnnamedFilesFailAlone) {
    const std::string a = media("a.mov", {{"artist", "Abba"}});
    const std::string b = media("b.mov", {{"artist", "Abba"}});
    const std::string c = media("c.mov", {{"artist", "Queen"}});
    writeTextFile(mDir.file("in/notes.mov"), "not media\n");
    const std::string out = mDir.file("out");
    ASSERT_EQ(mkdir(out.c_str(), 0755), 0);
    writeTextFile(out + "/Queen.mp4", "the user's");

    CliProcess p;
    EXPECT_EQ(
        vantaro({"names", "--template", "[artist]", "-o", out, a, b, c, mDir.file("in/notes.mov")},
                p),
        1);
    EXPECT_EQ(p.out, a + " -> " + out + "/Abba.mp4 (shared)\n" + b + " -> " + out +
                         "/Abba.mp4 (shared)\n" + c + " -> " + out + "/Queen.mp4 (exists)\n");
    EXPECT_EQ(p.err, "vantaro: Cannot name the output of '" + mDir.file("in/notes.mov") +
                         "': its tags cannot be read: not a media file\n");

    // The conversion refuses the shared and the existing outputs before it starts.
    CliProcess refused;
    EXPECT_EQ(vantaro({"convert", "--template", "[artist]", "-o", out, a, b, c}, refused), 1);
    EXPECT_NE(refused.err.find("would be written by more than one job"), std::string::npos)
        << refused.err;
    EXPECT_EQ(readTextFile(out + "/Queen.mp4"), "the user's");

    // A file that cannot be named fails alone; the others are converted.
    CliProcess mixed;
    EXPECT_EQ(
        vantaro({"convert", "--template", "[artist] [origfilename]", "-o", out, "--encoder-args",
                 "-c:v libx264 -preset ultrafast -c:a aac", a, mDir.file("in/notes.mov")},
                mixed),
        1);
    EXPECT_NE(mixed.err.find("Cannot name the output of '" + mDir.file("in/notes.mov") + "'"),
              std::string::npos)
        << mixed.err;
    EXPECT_NE(mixed.out.find("1 file failed"), std::string::npos) << mixed.out;
    EXPECT_TRUE(fileExists(out + "/Abba a.mp4"));
}

TEST_F(NamesE2E, AFolderThatCannotBeMadeFailsItsJobAlone) {
    const std::string a = media("a.mov", {{"artist", "Abba"}});
    const std::string b = media("b.mov", {{"artist", "Queen"}});
    const std::string out = mDir.file("out");
    ASSERT_EQ(mkdir(out.c_str(), 0755), 0);
    writeTextFile(out + "/Abba", "a file where a folder would go");

    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "--template", "[artist]/[origfilename]", "-o", out,
                       "--encoder-args", "-c:v libx264 -preset ultrafast -c:a aac", a, b},
                      p),
              1);
    EXPECT_NE(p.err.find("Cannot create the folder '" + out + "/Abba': Not a directory"),
              std::string::npos)
        << p.err;
    EXPECT_TRUE(fileExists(out + "/Queen/b.mp4"));
    EXPECT_EQ(readTextFile(out + "/Abba"), "a file where a folder would go");
}

TEST_F(NamesE2E, ElementsAndDescriptionsArePlainTextOffATerminal) {
    CliProcess elements;
    EXPECT_EQ(vantaro({"names", "--elements"}, elements), 0) << elements.err;
    const std::vector<std::string> lines = elements.outLines();
    ASSERT_EQ(lines.size(), 57u);
    EXPECT_EQ(lines[0], "  [artist]            Artist");
    EXPECT_EQ(lines[35], "");
    EXPECT_EQ(lines[36], "Advanced (programmable actions on elements)");
    EXPECT_EQ(lines[37].rfind("  [IFCOMP]string[]  ", 0), 0u) << lines[37];

    CliProcess described;
    EXPECT_EQ(vantaro({"names", "--describe", "[GROUP]3,[artist][]\\[album]\\[track] - [title]"},
                      described),
              0);
    EXPECT_EQ(described.out, "[GROUP]3,Artist[]/Album/TrackNum - Title\n");

    CliProcess both;
    EXPECT_EQ(vantaro({"names", "--elements", "--describe", "x"}, both), 2);
    CliProcess noFolder;
    EXPECT_EQ(vantaro({"names", "--template", "[title]", mDir.file("in/x.mov")}, noFolder), 2);
    EXPECT_NE(noFolder.err.find("needs a destination folder: give -o DIR"), std::string::npos)
        << noFolder.err;
}

TEST_F(NamesE2E, TheCharacterRulesOfTheSettingsStoreApplyToTemplates) {
    const std::string a = media("a.mkv", {{"artist", "Bj\xc3\xb6rk"}, {"title", "Army: Live?"}});
    const std::string out = mDir.file("out");
    EXPECT_EQ(names({"--template", "[artist]/[title]", "-o", out, a})[0].at("destination"),
              out + "/Bj\xc3\xb6rk/Army; Live?.mp4");

    // The options page's values, in the program's own store (its data folder is there
    // since the first run).
    {
        ScopedEnv store("XCLASS_XREGISTRY_LOCATION",
                        mDir.file("appdata/VantaroVideo/XRegistry").c_str());
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        XRegistry::SetString("vMCFileNameChrReplace", ":_?*");
        XRegistry::SetDWORD("vMCFileNameANSIFilenameOnly", 1);
    }
    EXPECT_EQ(names({"--template", "[artist]/[title]", "-o", out, a})[0].at("destination"),
              out + "/Bjork/Army_ Live.mp4");
    // Names kept from the sources are left alone.
    EXPECT_EQ(names({"-o", out, a})[0].at("destination"), out + "/a.mp4");
}
