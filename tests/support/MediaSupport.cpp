#include "MediaSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "XFindProgram.h"
#include "XLineReader.h"
#include "XWorkerProcess.h"

namespace {

// The first line a program writes to standard output; "" when it fails.
std::string firstLineOf(const std::vector<std::string>& argv) {
    std::string out;
    return runProgram(argv, &out) == 0 ? out.substr(0, out.find('\n')) : std::string();
}

}  // namespace

std::string toolPath(const std::string& name) {
    const XStr found = XFindProgram(XStr(name));
    return found.empty() ? "/usr/bin/" + name : found.utf8();
}

int runProgram(const std::vector<std::string>& argv, std::string* output) {
    XWorkerProcess::ArgList args;
    for (const std::string& a : argv) {
        args.emplace_back(a);
    }
    XWorkerProcess process;
    if (!process.Create(args, output != nullptr ? XWorkerProcess::kPipeStdOut : 0)) {
        return -1;
    }
    if (output != nullptr) {
        output->clear();
        XReadLines(process.OutputFD(), [output](XStr& line) { *output += line.utf8() + "\n"; });
    }
    return process.Stop(XWorkerProcess::kWaitForever);
}

bool makeTestClip(const std::string& path, const TestClip& clip) {
    const std::string d = std::to_string(clip.seconds);
    std::vector<std::string> argv = {
        toolPath("ffmpeg"),
        "-hide_banner",
        "-loglevel",
        "error",
        "-y",
        "-f",
        "lavfi",
        "-i",
        (clip.colour.empty() ? "testsrc=size=" : "color=c=" + clip.colour + ":size=") + clip.size +
            ":rate=" + std::to_string(clip.rate) + ":duration=" + d};
    if (clip.audio) {
        argv.insert(argv.end(), {"-f", "lavfi", "-i", "sine=frequency=440:duration=" + d});
    }
    argv.insert(argv.end(), {"-c:v", clip.videoCodec, "-pix_fmt", "yuv420p"});
    if (clip.videoCodec == "libx264") {
        argv.insert(argv.end(), {"-preset", "ultrafast"});
    }
    if (clip.audio) {
        argv.insert(argv.end(), {"-c:a", clip.audioCodec});
    }
    argv.push_back(path);
    return runProgram(argv) == 0;
}

std::string probeValue(const std::string& path, const std::string& stream, const std::string& key) {
    std::vector<std::string> argv = {toolPath("ffprobe"), "-v", "error"};
    if (stream.empty()) {
        argv.insert(argv.end(), {"-show_entries", "format=" + key});
    } else {
        argv.insert(argv.end(), {"-select_streams", stream, "-show_entries", "stream=" + key});
    }
    argv.insert(argv.end(), {"-of", "default=noprint_wrappers=1:nokey=1", path});
    return firstLineOf(argv);
}

double probeDuration(const std::string& path) {
    const std::string value = probeValue(path, "", "duration");
    return value.empty() ? -1.0 : std::atof(value.c_str());
}

int probeStreamCount(const std::string& path, const std::string& kind) {
    std::string out;
    if (runProgram({toolPath("ffprobe"), "-v", "error", "-select_streams", kind, "-show_entries",
                    "stream=index", "-of", "csv=p=0", path},
                   &out) != 0) {
        return -1;
    }
    int count = 0;
    for (char c : out) {
        count += c == '\n' ? 1 : 0;
    }
    return count;
}

bool makeTestMedia(const std::string& path, const TestMedia& media) {
    const std::string d = std::to_string(media.seconds);
    std::vector<std::string> argv = {toolPath("ffmpeg"), "-hide_banner", "-loglevel", "error",
                                     "-y"};
    if (media.video) {
        argv.insert(argv.end(), {"-f", "lavfi", "-i",
                                 "testsrc=size=" + media.size +
                                     ":rate=" + std::to_string(media.rate) + ":duration=" + d});
    }
    for (int a = 0; a < media.audioStreams; ++a) {
        argv.insert(argv.end(),
                    {"-f", "lavfi", "-i",
                     "sine=frequency=" + std::to_string(440 + 110 * a) +
                         ":sample_rate=" + std::to_string(media.sampleRate) + ":duration=" + d});
    }
    const int inputs = (media.video ? 1 : 0) + media.audioStreams;
    for (int i = 0; i < inputs; ++i) {
        argv.insert(argv.end(), {"-map", std::to_string(i)});
    }
    if (media.video) {
        argv.insert(argv.end(), {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"});
    }
    if (media.audioStreams > 0) {
        argv.insert(argv.end(), {"-c:a", media.audioCodec, "-ac", std::to_string(media.channels)});
    }
    for (const auto& [key, value] : media.metadata) {
        argv.insert(argv.end(), {"-metadata", key + "=" + value});
    }
    argv.push_back(path);
    return runProgram(argv) == 0;
}

std::string probeTag(const std::string& path, const std::string& key) {
    return firstLineOf({toolPath("ffprobe"), "-v", "error", "-show_entries", "format_tags=" + key,
                        "-of", "default=noprint_wrappers=1:nokey=1", path});
}

SmallDisk::SmallDisk(const std::string& at, const std::string& size) : mAt(at) {
    mkdir(at.c_str(), 0755);
    mMounted = geteuid() == 0 && runProgram({toolPath("mount"), "-t", "tmpfs", "-o", "size=" + size,
                                             "tmpfs", at}) == 0;
}

SmallDisk::~SmallDisk() {
    if (mMounted) {
        runProgram({toolPath("umount"), mAt});
    }
}
