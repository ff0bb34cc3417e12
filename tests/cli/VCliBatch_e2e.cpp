// "vantaro batch" on a tree of generated clips of several resolutions, codecs and dates:
// which files each selection and filter gives, batch profiles, and a conversion.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <memory>

#include "CliE2E.h"

namespace {

// The tree, made once for every test of the suite:
//   lib/a_hd.mp4        H.264 1280x720, now
//   lib/b_sd.mkv        MPEG-4 640x360, 10 days old
//   lib/notes.txt
//   lib/music/m.mp3     audio only, now
//   lib/shows/s1.mp4    H.264 640x360, 3 days old
//   lib/shows/s2.webm   VP8 320x240, now
//   lib/shows/old/o1.mov  MPEG-4 1280x720, 400 days old
class BatchE2E : public CliE2E {
protected:
    static void SetUpTestSuite() {
        sTree = std::make_unique<TestTempDir>();
        for (const char* folder : {"lib", "lib/music", "lib/shows", "lib/shows/old"}) {
            ASSERT_EQ(mkdir(sTree->file(folder).c_str(), 0755), 0);
        }
        const auto clipOf = [](const char* name, const char* size, const char* codec, bool audio,
                               int daysOld) {
            TestClip c;
            c.seconds = 1;
            c.size = size;
            c.videoCodec = codec;
            c.audio = audio;
            const std::string path = sTree->file(name);
            ASSERT_TRUE(makeTestClip(path, c)) << name;
            age(path, daysOld);
        };
        clipOf("lib/a_hd.mp4", "1280x720", "libx264", true, 0);
        clipOf("lib/b_sd.mkv", "640x360", "mpeg4", true, 10);
        clipOf("lib/shows/s1.mp4", "640x360", "libx264", true, 3);
        clipOf("lib/shows/s2.webm", "320x240", "libvpx", false, 0);
        clipOf("lib/shows/old/o1.mov", "1280x720", "mpeg4", true, 400);
        TestMedia sound;
        sound.video = false;
        sound.audioCodec = "libmp3lame";
        ASSERT_TRUE(makeTestMedia(sTree->file("lib/music/m.mp3"), sound));
        writeTextFile(sTree->file("lib/notes.txt"), "not media\n");
    }
    static void TearDownTestSuite() { sTree.reset(); }

    static void age(const std::string& path, int days) {
        timespec t{};
        clock_gettime(CLOCK_REALTIME, &t);
        t.tv_sec -= static_cast<time_t>(days) * 86400;
        setModifiedTime(path, t);
    }
    static std::string lib(const std::string& name = "") {
        return sTree->file(name.empty() ? "lib" : "lib/" + name);
    }
    // The listing's lines, each made relative to lib.
    std::vector<std::string> listed(std::vector<std::string> args, int status = 0) {
        args.insert(args.begin(), {"batch", "--list"});
        CliProcess p;
        EXPECT_EQ(vantaro(args, p), status) << p.err;
        std::vector<std::string> out;
        for (const std::string& line : p.outLines()) {
            out.push_back(line.rfind(lib() + "/", 0) == 0 ? line.substr(lib().size() + 1) : line);
        }
        return out;
    }

    static std::unique_ptr<TestTempDir> sTree;
};

std::unique_ptr<TestTempDir> BatchE2E::sTree;

using Lines = std::vector<std::string>;

TEST_F(BatchE2E, SelectionsAndFiltersGiveTheirFiles) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        Lines files;
    };
    const std::vector<Case> cases = {
        {"a folder: its own media files", {lib()}, {"a_hd.mp4", "b_sd.mkv"}},
        {"recursive: every folder below, in tree order",
         {lib(), "--recursive"},
         {"a_hd.mp4", "b_sd.mkv", "music/m.mp3", "shows/s1.mp4", "shows/s2.webm",
          "shows/old/o1.mov"}},
        {"a resolution excluded",
         {lib(), "-r", "--exclude", "Resolution=640 x 360"},
         {"a_hd.mp4", "music/m.mp3", "shows/s2.webm", "shows/old/o1.mov"}},
        {"two types excluded",
         {lib(), "-r", "--exclude", "File Types=mkv,.WEBM"},
         {"a_hd.mp4", "music/m.mp3", "shows/s1.mp4", "shows/old/o1.mov"}},
        {"only the last week",
         {lib(), "-r", "--exclude", "Date=7"},
         {"a_hd.mp4", "music/m.mp3", "shows/s1.mp4", "shows/s2.webm"}},
        {"only one resolution",
         {lib(), "-r", "--only", "Resolution=1280 x 720"},
         {"a_hd.mp4", "shows/old/o1.mov"}},
        {"filters together",
         {lib(), "-r", "--exclude", "Date=7", "--only", "Resolution=640 x 360,320 x 240",
          "--exclude", "File Types=webm"},
         {"shows/s1.mp4"}},
        {"the frame rate as the probe gives it",
         {lib(), "-r", "--exclude", "frame rate=25", "--exclude", "file types=mp3"},
         {}},
        {"files ticked one by one",
         {lib("shows/s2.webm"), lib("b_sd.mkv")},
         {"b_sd.mkv", "shows/s2.webm"}},
        {"a folder and a file in a folder below it",
         {lib(), lib("shows/old/o1.mov")},
         {"a_hd.mp4", "b_sd.mkv", "shows/old/o1.mov"}},
        {"a subfolder given twice over, once within a recursive one",
         {lib("shows"), "-r", lib("shows/old")},
         {"shows/s1.mp4", "shows/s2.webm", "shows/old/o1.mov"}},
        {"a ticked file that a filter excludes",
         {lib("b_sd.mkv"), "--exclude", "File Types=mkv"},
         {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listed(c.args), c.files) << c.what;
    }
}

TEST_F(BatchE2E, ColumnsComeFromTheCatalogueAndProbesAreKept) {
    EXPECT_EQ(listed({lib(), "--columns", "name,Resolution,Type"}),
              (Lines{"Name      Resolution  Type", "a_hd.mp4  1280 x 720  MPEG-4 Video",
                     "b_sd.mkv   640 x 360  Matroska Video"}));
    CliProcess json;
    EXPECT_EQ(vantaro({"batch", "--list", "--json", "--columns", "Resolution,Folder", lib("shows")},
                      json),
              0);
    const std::vector<nlohmann::json> objects = events(json);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]["path"], lib("shows/s1.mp4"));
    EXPECT_EQ(objects[0]["Resolution"], "640 x 360");
    EXPECT_EQ(objects[0]["Folder"], "shows");
    EXPECT_EQ(objects[1]["Resolution"], "320 x 240");
    EXPECT_NE(readTextFile(mDir.file("appdata/VantaroVideo/ProbeCache.json")).find("s2.webm"),
              std::string::npos)
        << "the probes are kept for the next time";
}

TEST_F(BatchE2E, ABatchProfileKeepsFoldersStatesAndFilters) {
    CliProcess save;
    EXPECT_EQ(vantaro({"batch", "-r", lib(), lib("shows/s2.webm"), "--exclude", "Date=7",
                       "--save-profile", "Recent"},
                      save),
              0)
        << save.err;
    EXPECT_EQ(save.out, "Saved the batch profile 'Recent'\n");
    const json profile =
        json::parse(readTextFile(mDir.file("appdata/VantaroVideo/BatchProfiles/Recent.txt")));
    EXPECT_EQ(profile["filters"], json::parse(R"j({"Date":["7 Days (1 week)"]})j"));
    EXPECT_EQ(profile["selection"][lib()], "Recursive");
    EXPECT_EQ(profile["selection"][lib("shows/s2.webm")], "Checked");

    EXPECT_EQ(listed({"--batch-profile", "Recent"}),
              (Lines{"a_hd.mp4", "music/m.mp3", "shows/s1.mp4", "shows/s2.webm"}));
    EXPECT_EQ(listed({"--batch-profile", "Recent", "--only", "File Types=mp4"}),
              (Lines{"a_hd.mp4", "shows/s1.mp4"}))
        << "--only holds for this run";
    EXPECT_EQ(listed({"--batch-profile", "Recent", "--exclude", "Date=365"}),
              (Lines{"a_hd.mp4", "b_sd.mkv", "music/m.mp3", "shows/s1.mp4", "shows/s2.webm"}))
        << "a date given now replaces the profile's";

    CliProcess missing;
    EXPECT_EQ(vantaro({"batch", "--list", "--batch-profile", "Nope"}, missing), 2);
    EXPECT_EQ(missing.err, "vantaro: No batch profile named 'Nope'\n");
}

TEST_F(BatchE2E, ItConvertsWhatItSelectsAsConvertDoes) {
    const std::string out = mDir.file("out");
    CliProcess p;
    EXPECT_EQ(vantaro({"batch", lib(), "--exclude", "File Types=mkv", "--copy", "-o", out}, p), 0)
        << p.err;
    EXPECT_EQ(folderEntries(out), std::vector<std::string>{"a_hd.mp4"});

    CliProcess none;
    EXPECT_EQ(vantaro({"batch", lib(), "--only", "File Types=avi", "--copy", "-o", out}, none), 0);
    EXPECT_EQ(none.err, "vantaro: No media files selected\n");

    // A folder given to convert takes its media files and says what it left out.
    CliProcess convert;
    EXPECT_EQ(vantaro({"convert", "--copy", "--dry-run", "-o", mDir.file("out2"), lib()}, convert),
              0);
    EXPECT_EQ(convert.err,
              "vantaro: Left out 1 file in '" + lib() + "' that is not a media file\n");
    ASSERT_EQ(convert.outLines().size(), 2u) << convert.out;
    EXPECT_NE(convert.outLines()[0].find("a_hd.mp4"), std::string::npos) << convert.out;
    EXPECT_NE(convert.outLines()[1].find("b_sd.mkv"), std::string::npos) << convert.out;
}

TEST_F(BatchE2E, UsageErrorsNameWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"batch"}, "vantaro: No folders given (or a batch profile with '--batch-profile NAME')\n"},
        {{"batch", lib(), "--exclude", "Colour=red"},
         "vantaro: Invalid value 'Colour=red' of '--exclude' (use FIELD=VALUE,...; FIELD is one "
         "of File Types, Date, Resolution, Frame Rate, Aspect Ratio, Pixel Format, Profile, "
         "Color Space, Channels, Sample Rate)\n"},
        {{"batch", lib(), "--only", "Date=soon"},
         "vantaro: Invalid number of days 'soon' of '--only' (use Date=N with N at least 1)\n"},
        {{"batch", lib(), "--columns", "Name"}, "vantaro: The option '--columns' needs '--list'\n"},
        {{"batch", lib(), "--list", "--columns", "Name,Mood"},
         "vantaro: Unknown column 'Mood' (use Name, Size, Type, Date Modified, Date Created, "
         "Date Accessed, Length, Bit Rate, Streams, Profile, Resolution, Aspect Ratio, Frame "
         "Rate, Pixel Format, Color Space, Channels, Sample Rate, Sample Size, Frame Count, "
         "Title, Year, Author, Synopsis, Genre, Comment, Copyright, Description, Encoder, "
         "Artist, Composer, Date, Show, Network, Folder)\n"},
        {{"batch", lib("gone")}, "vantaro: No such file or folder: '" + lib("gone") + "'\n"},
    };
    for (const Case& c : cases) {
        CliProcess p;
        EXPECT_EQ(vantaro(c.args, p), 2) << c.args.back();
        EXPECT_EQ(p.err, c.err + "Try 'vantaro batch --help'.\n");
    }
}

}  // namespace
