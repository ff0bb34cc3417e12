// Media for end-to-end tests, made on the spot with FFmpeg's lavfi sources, and ffprobe
// questions about the results. Programs run with an argument vector, never a shell.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The first executable of that name on PATH (a start without a shell does not search), else
// the one in /usr/bin.
std::string toolPath(const std::string& name);

// Runs a program to its end; answers its exit status (-1 when it could not run) and, when
// asked, what it wrote to standard output.
int runProgram(const std::vector<std::string>& argv, std::string* output = nullptr);

struct TestClip {
    double seconds = 2.0;
    std::string size = "320x240";
    int rate = 25;
    bool audio = true;
    std::string videoCodec = "libx264";
    std::string audioCodec = "aac";
    // A plain picture of this colour ("red") instead of the test pattern.
    std::string colour = {};
};

// Writes a clip with a test picture (or a plain colour) and a sine tone; false when FFmpeg failed.
bool makeTestClip(const std::string& path, const TestClip& clip = TestClip());

// A stream or format property as ffprobe reports it ("" when absent), e.g.
// probeValue(path, "v:0", "width") or probeValue(path, "", "duration").
std::string probeValue(const std::string& path, const std::string& stream, const std::string& key);
double probeDuration(const std::string& path);
int probeStreamCount(const std::string& path, const std::string& kind);

// Media with a chosen set of streams and container tags (-metadata key=value).
struct TestMedia {
    double seconds = 1.0;
    bool video = true;
    std::string size = "320x240";
    int rate = 25;
    // Each audio stream is its own sine tone.
    int audioStreams = 1;
    int channels = 2;
    int sampleRate = 48000;
    std::string audioCodec = "aac";
    std::vector<std::pair<std::string, std::string>> metadata;
};
bool makeTestMedia(const std::string& path, const TestMedia& media);
// A container tag as ffprobe reports it ("" when absent).
std::string probeTag(const std::string& path, const std::string& key);

// A small tmpfs mounted for the object's lifetime, to see what a full disk does; only root
// may mount one, so tests skip when mounted() is false.
class SmallDisk {
public:
    SmallDisk(const std::string& at, const std::string& size);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mMounted; }

private:
    std::string mAt;
    bool mMounted = false;
};
