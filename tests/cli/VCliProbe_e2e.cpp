// "vantaro probe" on generated media, and the probe records it keeps between runs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CliE2E.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(CliE2E, ProbeShowsPropertiesAndTagsAndNamesWhatIsNotMedia) {
    TestMedia tagged;
    tagged.audioStreams = 2;
    tagged.metadata = {{"title", "Song of Tests"}, {"artist", "The Probes"}};
    const std::string video = mDir.file("in/tagged.mp4");
    ASSERT_TRUE(makeTestMedia(video, tagged));
    TestMedia sound;
    sound.video = false;
    sound.channels = 1;
    sound.sampleRate = 22050;
    sound.audioCodec = "libmp3lame";
    const std::string audio = mDir.file("in/sound.mp3");
    ASSERT_TRUE(makeTestMedia(audio, sound));
    const std::string text = mDir.file("in/notes.txt");
    writeTextFile(text, "just words\n");
    const std::string zero = mDir.file("in/zero.mp4");
    writeTextFile(zero, "");
    const std::string missing = mDir.file("in/missing.mp4");

    const std::string folder = mDir.file("in");
    CliProcess p;
    EXPECT_EQ(vantaro({"probe", video, audio, text, zero, missing, folder}, p), 1);
    const std::string& out = p.out;
    EXPECT_EQ(out.rfind(video + "\n  Size: ", 0), 0u) << out;
    EXPECT_TRUE(contains(out, "\n  Resolution: 320 x 240\n")) << out;
    EXPECT_TRUE(contains(out, "\n  Aspect Ratio: 4:3\n"));
    EXPECT_TRUE(contains(out, "\n  Frame Rate: 25\n"));
    EXPECT_TRUE(contains(out, "\n  Channels: 2  'stereo'  (CD)\n"));
    EXPECT_TRUE(contains(out, "\n  Sample Rate: 48 kHz  (DAT)\n")) << out;
    EXPECT_TRUE(contains(out, "; 1 Audio : AAC (Advanced Audio Coding); 2 Audio : AAC"));
    EXPECT_TRUE(contains(out, "\n  Tags:\n"));
    EXPECT_TRUE(contains(out, "\n    title: Song of Tests\n"));
    EXPECT_TRUE(contains(out, "\n    artist: The Probes\n"));
    EXPECT_FALSE(contains(out, ": \n")) << "blank properties are left out";

    const std::string soundPart = out.substr(out.find(audio + "\n"));
    EXPECT_TRUE(contains(soundPart, "\n  Channels: 1  'mono'\n")) << soundPart;
    EXPECT_TRUE(contains(soundPart, "\n  Sample Rate: 22 kHz\n")) << soundPart;
    EXPECT_FALSE(contains(soundPart, "Resolution"));
    EXPECT_TRUE(contains(soundPart, "\n  Length: ")) << soundPart;

    EXPECT_EQ(p.err, "vantaro: " + text + ": not a media file\nvantaro: " + zero +
                         ": empty file, not media\nvantaro: " + missing +
                         ": no such file\nvantaro: " + folder + ": a folder, not a file\n");

    CliProcess good;
    EXPECT_EQ(vantaro({"probe", audio}, good), 0) << good.err;
}

TEST_F(CliE2E, ProbeJsonGivesOneObjectPerFile) {
    TestMedia media;
    media.metadata = {{"title", "Quote \" and \\ slash"}};
    const std::string path = mDir.file("in/a.mp4");
    ASSERT_TRUE(makeTestMedia(path, media));
    CliProcess p;
    EXPECT_EQ(vantaro({"probe", "--json", path, mDir.file("in/gone.mp4")}, p), 1);
    const std::vector<json> objects = events(p);
    ASSERT_EQ(objects.size(), 2u) << p.out;
    EXPECT_EQ(objects[0]["file"], path);
    EXPECT_GT(objects[0]["size"].get<int64_t>(), 0);
    EXPECT_NEAR(objects[0]["lengthMS"].get<double>(), 1000, 100);
    EXPECT_EQ(objects[0]["properties"]["Resolution"], "320 x 240");
    EXPECT_EQ(objects[0]["tags"]["title"], "Quote \" and \\ slash");
    EXPECT_EQ(objects[1]["error"], "no such file");
}

TEST_F(CliE2E, ProbeRecordsOutliveTheProgramUntilTheFileChanges) {
    TestMedia media;
    const std::string path = mDir.file("in/kept.mp4");
    ASSERT_TRUE(makeTestMedia(path, media));
    CliProcess first;
    ASSERT_EQ(vantaro({"probe", path}, first), 0) << first.err;
    ASSERT_TRUE(fileExists(mDir.file("appdata/VantaroVideo/ProbeCache.json")));

    // Without ffprobe only the kept record can describe the file.
    ScopedEnv noTools("PATH", "/nonexistent");
    CliProcess second;
    ASSERT_EQ(vantaro({"probe", path}, second), 0) << second.err;
    EXPECT_EQ(second.out, first.out);

    // A new modification time makes the record stale: the file is probed again, and
    // without ffprobe it cannot be described.
    setModifiedTime(path, {1000000000, 123});
    CliProcess changed;
    EXPECT_EQ(vantaro({"probe", path}, changed), 1);
    EXPECT_EQ(changed.err, "vantaro: " + path + ": not a media file\n");

    // A damaged cache file is ignored, not fatal.
    writeTextFile(mDir.file("appdata/VantaroVideo/ProbeCache.json"), "{\"records\": [1, 2");
    CliProcess damaged;
    EXPECT_EQ(vantaro({"probe", path}, damaged), 1);
    EXPECT_EQ(damaged.err, changed.err);
}
