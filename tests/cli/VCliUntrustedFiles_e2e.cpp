// File names that are not UTF-8, and files the program reads on its own account (settings,
// probe records, sources) that are no regular files, unreadable or slow: the program names
// them rightly, never waits on them, never aborts and never replaces them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "CliE2E.h"
#include "XJSON.h"
#include "XUtf8.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// No byte of the text is outside well-formed UTF-8.
bool wellFormed(const std::string& text) {
    for (const char32_t unit : XUtf8::decode(text)) {
        if (XUtf8::isEscapedByte(unit)) {
            return false;
        }
    }
    return true;
}

// The program's escapes of odd bytes ("\udce9") in place of U+FFFD, for a strict reader.
std::string oddBytesShown(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 4, "\\udc") == 0 && i + 6 <= line.size()) {
            out += "\\ufffd";
            i += 5;
        } else {
            out.push_back(line[i]);
            if (line[i] == '\\' && i + 1 < line.size()) {
                out.push_back(line[++i]);
            }
        }
    }
    return out;
}

const char* const kFastH264 = "-c:v libx264 -preset ultrafast -c:a aac";

class CliUntrustedFiles : public CliE2E {
protected:
    std::string dataFolder() {
        const std::string folder = mDir.file("appdata/VantaroVideo");
        mkdir(mDir.file("appdata").c_str(), 0700);
        mkdir(folder.c_str(), 0700);
        return folder;
    }
    // A short clip to probe and convert.
    std::string shortClip(const std::string& name) { return clip(name, 0.5, "64x48"); }
};

}  // namespace

// File names are bytes

TEST_F(CliUntrustedFiles, NamesThatAreNotUtf8ConvertToTheSameBytes) {
    const std::string latin = shortClip("lat\xe9.mov");
    const std::string folder = mDir.file("in/dir\xff");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    shortClip("dir\xff/b\xe9\xe2\x82.mov");
    const std::string out = mDir.file("out\xfe");
    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "-o", out, "--encoder-args", kFastH264, latin, folder}, p), 0)
        << p.out << p.err;
    for (const char* name : {"lat\xe9.mp4", "b\xe9\xe2\x82.mp4"}) {
        EXPECT_EQ(probeValue(out + "/" + name, "v:0", "codec_name"), "h264") << name;
    }
    EXPECT_EQ(folderEntries(out).size(), 2u);
    EXPECT_TRUE(fileExists(latin));
}

TEST_F(CliUntrustedFiles, ProbeShowsANameThatIsNotUtf8) {
    const std::string path = shortClip("lat\xe9.mp4");
    const std::string shown = mDir.file("in/lat\xef\xbf\xbd.mp4");

    CliProcess text;
    ASSERT_EQ(vantaro({"probe", path}, text), 0) << text.err;
    EXPECT_EQ(text.out.rfind(shown + "\n  Size: ", 0), 0u) << text.out;
    EXPECT_TRUE(contains(text.out, "\n  Resolution: 64 x 48\n")) << text.out;
    EXPECT_TRUE(wellFormed(text.out));

    // The JSON line names the file by its bytes, in escapes that keep it UTF-8.
    CliProcess object;
    ASSERT_EQ(vantaro({"probe", "--json", path}, object), 0) << object.err;
    ASSERT_EQ(object.outLines().size(), 1u) << object.out;
    const std::string line = object.outLines().front();
    EXPECT_TRUE(wellFormed(line)) << line;
    EXPECT_TRUE(contains(line, "lat\\udce9.mp4")) << line;
    const XJSON::Owned ours = XJSON::ParseUtf8(line);
    ASSERT_NE(ours, nullptr) << line;
    EXPECT_EQ(ours->AsObject().Get("file").AsString().Value.utf8(), path);
    // Everything else is JSON to the letter.
    const json theirs = json::parse(oddBytesShown(line));
    EXPECT_EQ(theirs["file"], shown);
    EXPECT_EQ(theirs["properties"]["Resolution"], "64 x 48");

    // A second run finds the kept record under the same bytes.
    CliProcess again;
    ScopedEnv noTools("PATH", "/nonexistent");
    ASSERT_EQ(vantaro({"probe", path}, again), 0) << again.err;
    EXPECT_EQ(again.out, text.out);
}

// Settings and probe records that are no regular files

TEST_F(CliUntrustedFiles, FifosInPlaceOfTheSettingsOrTheProbeRecordsAreNeverWaitedOn) {
    const std::string source = shortClip("a.mov");
    const std::string data = dataFolder();
    for (const char* name :
         {"XRegistry", "ProbeCache.json", "XRegistry.lock", "ProbeCache.json.lock"}) {
        const std::string fifo = data + "/" + name;
        // Earlier runs may have made the real file.
        unlink(fifo.c_str());
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        // A program that waits on the FIFO is stopped by the deadline and fails here.
        CliProcess probe;
        EXPECT_EQ(vantaro({"probe", source}, probe, 20000), 0) << name << probe.err;
        EXPECT_TRUE(contains(probe.out, "\n  Resolution: 64 x 48\n")) << name << probe.out;
        CliProcess convert;
        const std::string out = mDir.file(std::string("out-") + name);
        EXPECT_EQ(
            vantaro({"convert", "-o", out, "--encoder-args", kFastH264, source}, convert, 20000), 0)
            << name << convert.out << convert.err;
        EXPECT_EQ(probeValue(out + "/a.mp4", "v:0", "codec_name"), "h264") << name;
        struct stat st {};
        ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << name << " was replaced";
        ASSERT_EQ(unlink(fifo.c_str()), 0);
    }
}

// Sources the probe must not hand to ffprobe

TEST_F(CliUntrustedFiles, ProbeRefusesWhatIsNoRegularFileAtOnce) {
    const std::string fifo = mDir.file("in/pipe.mp4");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = mDir.file("in/socket.mp4");
    const int s = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    CliProcess p;
    EXPECT_EQ(vantaro({"probe", fifo, "/dev/zero", socketPath}, p, 20000), 1);
    close(s);
    EXPECT_EQ(p.err, "vantaro: " + fifo + ": not a regular file\nvantaro: /dev/zero: not a " +
                         "regular file\nvantaro: " + socketPath + ": not a regular file\n");
}

TEST_F(CliUntrustedFiles, ProbeGivesTheSystemsReasonForAFileItCannotRead) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const std::string path = shortClip("locked.mp4");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    CliProcess text;
    EXPECT_EQ(vantaro({"probe", path}, text), 1);
    EXPECT_EQ(text.err, "vantaro: " + path + ": Permission denied\n");
    CliProcess object;
    EXPECT_EQ(vantaro({"probe", "--json", path}, object), 1);
    const std::vector<json> lines = events(object);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["error"], "Permission denied");
}

// Signals

TEST_F(CliUntrustedFiles, TerminateEndsAProbeThatWaitsOnASlowFFprobe) {
    const std::string source = shortClip("slow.mp4");
    // An ffprobe that never answers.
    const std::string tools = mDir.file("tools");
    ASSERT_EQ(mkdir(tools.c_str(), 0755), 0);
    writeTextFile(tools + "/ffprobe", "#!/bin/sh\nwhile :; do sleep 1; done\n");
    ASSERT_EQ(chmod((tools + "/ffprobe").c_str(), 0755), 0);
    const std::string path = tools + ":" + (getenv("PATH") != nullptr ? getenv("PATH") : "");
    ScopedEnv slow("PATH", path.c_str());
    const std::string ffprobe = tools + "/ffprobe";
    CliProcess p;
    ASSERT_TRUE(p.start({"probe", source}));
    const uint32_t started = XClock::nowMs();
    while (processesMentioning(ffprobe).empty() && XClock::elapsedMs(started) < 20000) {
        p.pump(20);
    }
    ASSERT_FALSE(processesMentioning(ffprobe).empty()) << "ffprobe never started";
    ASSERT_EQ(kill(p.pid(), SIGTERM), 0);
    EXPECT_EQ(p.wait(10000), 128 + SIGTERM) << p.err;
    // The kill reaches the child as the program ends; give the kernel a moment to deliver it.
    const uint32_t ended = XClock::nowMs();
    while (!processesMentioning(ffprobe).empty() && XClock::elapsedMs(ended) < 5000) {
        XClock::sleepMs(10);
    }
    EXPECT_TRUE(processesMentioning(ffprobe).empty()) << "the ffprobe child outlived the program";
}
