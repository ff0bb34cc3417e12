// Names the outputs of 10,000 in-memory probe records (tags varied) with one grouping
// template and prints the median names per second of several rounds: once the expansion
// alone, once whole destination paths as the naming object gives them (tag set, expansion,
// clean-up, joined under the destination folder and cleaned again).
//   bench_naming [rounds]   (default 7)
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "NTag.h"
#include "VAMediaFileInfo.h"
#include "VATag.h"
#include "VMCFileNaming.h"
#include "VMCNamingTemplate.h"
#include "XStr.h"

namespace {

constexpr int kRecords = 10000;
const XStr kTemplate = "[GROUP]3,[artist][]/[artist]/[album]/[track] - [UPPER][title][]";

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One source as the naming step sees it: its path, its probe record and the tag set the
// template reads (the record's ID tags, then its media properties, then the fields the
// naming object adds).
struct Source {
    XStr path;
    std::shared_ptr<VAMediaFileInfo> info;
    NTag namingTags;
};

// Probe records shaped like those of real sources: mostly ASCII words, sometimes commas,
// slashes, brackets, letters outside ASCII, several values in one element or none at all.
class SourceMaker {
public:
    std::vector<Source> make(int count) {
        std::vector<Source> sources;
        sources.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            sources.push_back(source(i));
        }
        return sources;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }

    std::string words(int minLength, int maxLength) {
        static const char* const extras[] = {",", "/", "[", "\xc3\xa9", "\xe6\xbc\xa2", "&"};
        std::string out;
        const int length = minLength + below(maxLength - minLength + 1);
        for (int i = 0; i < length; ++i) {
            const int kind = below(60);
            if (kind < static_cast<int>(std::size(extras))) {
                out += extras[kind];
            } else if (kind < 14) {
                out += ' ';
            } else {
                out += static_cast<char>((i == 0 ? 'A' : 'a') + below(26));
            }
        }
        return out;
    }

    Source source(int index) {
        NTag id;
        if (below(20) != 0) {
            id.AddElement("artist",
                          below(10) == 0 ? words(3, 12) + "\r" + words(3, 12) : words(2, 24));
        }
        id.AddElement("title", words(1, 40));
        id.AddElement("album", words(3, 30));
        id.AddElement("track", below(4) == 0 ? std::to_string(1 + below(20))
                                             : std::to_string(1 + below(20)) + "/20");
        id.AddElement("date", std::to_string(1960 + below(60)));
        id.AddElement("genre", words(3, 10));
        id.AddElement("encoder", "Lavf60.16.100");
        NTag props;
        props.AddElement("Length", std::to_string(30000 + below(400000)));
        props.AddElement("Bit Rate", std::to_string(128 + below(5000)) + " kbps");
        props.AddElement("Resolution", "1920x1080");
        props.AddElement("Frame Rate", "25");
        props.AddElement("Channels", "2");
        props.AddElement("Sample Rate", "48000");

        Source s;
        const std::string folder = "/home/user/Videos/" + words(3, 12) + "/";
        s.path = XStr(folder + "clip " + std::to_string(index) + ".mkv");
        s.info = std::make_shared<VAMediaFileInfo>();
        s.info->setURL(s.path);
        s.info->setIDTags(VATag(id));
        s.info->setMediaProps(VATag(props));
        s.namingTags = id;
        s.namingTags.MergeFrom(props, false);
        s.namingTags.SetString("date", "2024-06-11");
        s.namingTags.SetString("time", "12:00:00");
        s.namingTags.SetString("day_of_week", "2");
        s.namingTags.SetString("now_year", "2024");
        s.namingTags.SetString("origfilename", XStr("clip " + std::to_string(index)));
        s.namingTags.SetString("origpath", XStr(folder));
        return s;
    }

    std::mt19937 mRandom{2024};
};

// One output name: the expansion of the template alone.
XStr expandedName(const Source& source) {
    return ExpandNamingTemplate(kTemplate, source.namingTags, true);
}

// Median names per second of the rounds; false when a round gives other names.
bool timeRounds(const std::vector<Source>& sources, int rounds,
                const std::function<XStr(const Source&)>& name, double& rate) {
    std::size_t characters = 0;
    for (const Source& s : sources) {
        characters += name(s).size();
    }
    std::vector<double> perSecond;
    for (int r = 0; r < rounds; ++r) {
        std::size_t sink = 0;
        const auto start = Clock::now();
        for (const Source& s : sources) {
            sink += name(s).size();
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (sink != characters) {
            return false;
        }
        perSecond.push_back(kRecords / seconds);
    }
    rate = median(perSecond);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::vector<Source> sources = SourceMaker().make(kRecords);

    // The naming object reads the character rules from a settings store of its own and
    // writes under an empty destination folder of its own.
    char dir[] = "/tmp/vantaro-bench-naming-XXXXXX";
    if (mkdtemp(dir) == nullptr) {
        std::printf("no temporary folder\n");
        return 1;
    }
    setenv("XCLASS_XREGISTRY_LOCATION", (std::string(dir) + "/XRegistry").c_str(), 1);
    VMCFileNaming naming = VMCFileNaming::namingSingleFolder(XStr(dir));
    naming.setDynamicFormat(kTemplate);
    naming.setEncoderName("MP4");
    const auto wholeName = [&naming](const Source& s) {
        return naming.fullPathForSource(s.path, s.info.get(), ".mp4").value_or(XStr());
    };

    std::size_t characters = 0;
    for (const Source& s : sources) {
        characters += expandedName(s).size();
    }
    std::printf("%d sources, names of %.1f characters on average\n", kRecords,
                static_cast<double>(characters) / kRecords);
    std::printf("template %s\n", kTemplate.utf8().c_str());
    std::printf("example  %s\n", expandedName(sources.front()).utf8().c_str());
    std::printf("         %s\n", wholeName(sources.front()).utf8().c_str());

    double expanded = 0;
    double whole = 0;
    if (!timeRounds(sources, rounds, expandedName, expanded) ||
        !timeRounds(sources, rounds, wholeName, whole)) {
        std::printf("names differ between rounds\n");
        return 1;
    }
    std::printf("median of %d rounds, expanded:             %.0f names per second (%.2f us each)\n",
                rounds, expanded, 1e6 / expanded);
    std::printf("median of %d rounds, expanded and cleaned: %.0f names per second (%.2f us each)\n",
                rounds, whole, 1e6 / whole);
    std::filesystem::remove_all(dir);
    return 0;
}
