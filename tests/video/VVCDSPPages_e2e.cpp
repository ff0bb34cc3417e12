// Every effect through the real run: the page's text, the job's arguments from the batch,
// the FFmpeg run, and ffprobe on what came out.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "DSPPageTestSupport.h"
#include "MediaSupport.h"
#include "RecordingCallback.h"
#include "TestSupport.h"
#include "VALocateFFmpeg.h"
#include "VMCBatch.h"
#include "VMCProcess.h"
#include "VMCProgressDialog.h"
#include "VVCDSPPresets.h"
#include "XRunLoop.h"

namespace {

constexpr const char* kEncoder = "-c:v libx264 -preset ultrafast -c:a aac";
// Takes every pixel format as it is.
constexpr const char* kRawEncoder = "-c:v rawvideo -c:a pcm_s16le";

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

std::ostream& operator<<(std::ostream& out, const Size& s) {
    return out << s.width << "x" << s.height;
}

Size frameSize(const std::string& path) {
    return {std::atoi(probeValue(path, "v:0", "width").c_str()),
            std::atoi(probeValue(path, "v:0", "height").c_str())};
}

double streamDuration(const std::string& path, const std::string& stream) {
    return std::atof(probeValue(path, stream, "duration").c_str());
}

// "16:9" as 16/9; 0 when unreadable.
double ratioOf(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return std::atof(text.c_str());
    }
    const double below = std::atof(text.c_str() + colon + 1);
    return below != 0 ? std::atof(text.c_str()) / below : 0;
}

// Mean Y, U, V and saturation of a rectangle of the first frame.
std::vector<double> regionMeans(const std::string& path, int x, int y, int w, int h) {
    const std::string graph =
        "movie=" + path + XStr::format(",crop=%d:%d:%d:%d,signalstats", w, h, x, y).utf8();
    std::string out;
    runProgram({VALocateFFmpeg::locateFFprobe().utf8(), "-v", "error", "-f", "lavfi", "-i", graph,
                "-read_intervals", "%+#1", "-show_entries",
                "frame_tags=lavfi.signalstats.YAVG,lavfi.signalstats.UAVG,lavfi.signalstats.VAVG,"
                "lavfi.signalstats.SATAVG",
                "-of", "csv=p=0"},
               &out);
    std::vector<double> means;
    for (const XStr& part : XStr(out.substr(0, out.find('\n'))).split(U',')) {
        means.push_back(part.toDouble());
    }
    return means;
}

bool makeImage(const std::string& path, const std::string& color) {
    return runProgram({VALocateFFmpeg::locateFFmpeg().utf8(), "-hide_banner", "-loglevel", "error",
                       "-y", "-f", "lavfi", "-i", "color=" + color + ":size=32x32", "-frames:v",
                       "1", path}) == 0;
}

// The effect as a user adds it: a new page, the settings, its text.
VADSPSpec effect(const XStr& name, const XStrList& settings = {}) {
    auto page = newEffect(name);
    EXPECT_NE(page, nullptr) << name;
    if (!page) {
        return {};
    }
    EXPECT_EQ(applySettings(*page, settings), "") << name;
    XStr why;
    EXPECT_TRUE(page->dspValidate(&why)) << name << ": " << why;
    return {name, page->dspArgs()};
}

class EffectsE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sDir = new TestTempDir();
        TestClip big;
        big.seconds = 2;
        big.size = "1280x960";
        ASSERT_TRUE(makeTestClip(sDir->file("big.mp4"), big));
        TestClip small;
        small.seconds = 0.4;
        small.rate = 10;
        ASSERT_TRUE(makeTestClip(sDir->file("small.mp4"), small));
    }
    static void TearDownTestSuite() {
        delete sDir;
        sDir = nullptr;
    }
    void SetUp() override {
        mkdir(mDir.file("tmp").c_str(), 0700);
        VALocateFFmpeg::resetCachesForTesting();
    }

    static std::string big() { return sDir->file("big.mp4"); }
    static std::string small() { return sDir->file("small.mp4"); }

    std::shared_ptr<VAConversionSpec> specFor(const VADSPChain& chain, const XStr& encoder,
                                              const std::vector<std::string>& sources,
                                              const std::string& extension) {
        auto spec = std::make_shared<VAConversionSpec>();
        spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
        spec->EncoderArgsV2.strArgs = encoder;
        spec->dspEffects = chain;
        for (const std::string& source : sources) {
            VAConversionEntry entry;
            entry.convertFrom = VAConvertSource::withURL(XStr(source));
            entry.urlTo = mDir.xfile("out" + std::to_string(++mOutputs) + extension);
            spec->entries.push_back(entry);
        }
        return spec;
    }

    // One job through the batch and the run; answers the output's path.
    std::string convert(const VADSPChain& chain, const std::string& source,
                        const XStr& encoder = kEncoder, const std::string& extension = ".mp4") {
        auto spec = specFor(chain, encoder, {source}, extension);
        const VMCBatch batch(spec);
        VMCProcessArg arg;
        arg.srcFrom = spec->entries[0].convertFrom;
        arg.urlTo = spec->entries[0].urlTo;
        arg.args = batch.commandLine();
        arg.specialActions = batch.prepareSpecialActions(nullptr);
        auto reports = std::make_shared<RecordingCallback>();
        arg.callback = reports;
        arg.events = std::make_shared<VMCProcessEvents>();
        VMCProcess::convertWithArg(arg);
        mLastCommand = reports->command();
        EXPECT_EQ(reports->errors, XStrList{}) << arg.args;
        return arg.urlTo.utf8();
    }

    static TestTempDir* sDir;
    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("appdata").c_str()};
    int mOutputs = 0;
    XStr mLastCommand;
};

TestTempDir* EffectsE2E::sDir = nullptr;

struct PictureCase {
    const char* effect;
    XStrList settings;
    Size size;
};

}  // namespace

TEST_F(EffectsE2E, GeometryEffectsGiveTheirSize) {
    const PictureCase cases[] = {
        {"Scale Absolute", {}, {1920, 1080}},
        {"Scale Absolute", {"custom=on", "width=320", "height=200"}, {320, 200}},
        {"Scale Maximum", {}, {1280, 960}},
        {"Scale Maximum",
         {"custom=on", "width=640", "height=640", "preserve-aspect=on"},
         {640, 480}},
        {"Scale Maximum", {"custom=on", "width=640", "height=640"}, {640, 640}},
        {"Scale Percentage", {}, {640, 480}},
        {"Scale Percentage", {"width=25", "height=10"}, {320, 96}},
        {"Crop", {}, {1024, 768}},
        {"Crop", {"width=320", "height=240", "x=100", "y=50"}, {320, 240}},
        {"Canvas Size", {}, {1920, 1080}},
        {"Canvas Size", {"width=1600", "height=1000", "position=Centered"}, {1600, 1000}},
        {"Rotate", {}, {1280, 960}},
        {"Rotate", {"angle=90"}, {1280, 960}},
        {"Flip", {}, {1280, 960}},
        {"Flip", {"direction=Horizontal"}, {1280, 960}},
        // The display ratio of each preset is checked with the presets.
        {"Aspect Ratio", {}, {1280, 960}},
    };
    for (const PictureCase& c : cases) {
        const std::string out = convert({effect(c.effect, c.settings)}, big());
        EXPECT_EQ(frameSize(out), c.size) << c.effect << " " << mLastCommand;
    }
}

TEST_F(EffectsE2E, CanvasPlacesThePictureAndFlipTurnsIt) {
    // Centered on a larger canvas: the corner is the black border.
    const std::string centered = convert({effect("Canvas Size", {"position=Centered"})}, big());
    EXPECT_NEAR(regionMeans(centered, 0, 0, 16, 16).at(0), 16, 4);
    const std::vector<double> sourceCorner = regionMeans(big(), 0, 0, 64, 64);
    const std::vector<double> topLeft =
        regionMeans(convert({effect("Canvas Size")}, big()), 0, 0, 64, 64);
    EXPECT_NEAR(topLeft.at(0), sourceCorner.at(0), 6);
    // Flipped top to bottom: the top band is the source's bottom band.
    const std::string flipped = convert({effect("Flip")}, big());
    EXPECT_NEAR(regionMeans(flipped, 0, 0, 1280, 64).at(0),
                regionMeans(big(), 0, 896, 1280, 64).at(0), 6);
}

TEST_F(EffectsE2E, PictureEffectsRunAtTheirDefaults) {
    for (const char* name : {"Brightness & Contrast", "Sharpen & Blur", "Denoiser (Wavelet)",
                             "Denoiser (Spatial Denoiser)", "Denoiser (High Precision 3D)",
                             "Deinterlace (yadif)", "[Custom]"}) {
        const std::string out = convert({effect(name)}, big());
        EXPECT_EQ(frameSize(out), (Size{1280, 960})) << name;
        EXPECT_EQ(probeStreamCount(out, "a"), 1) << name;
    }
    // Saturation 0: no colour left.
    EXPECT_GT(regionMeans(big(), 0, 0, 1280, 960).at(3), 20);
    const std::string grey = convert({effect("Hue & Saturation")}, big());
    EXPECT_LT(regionMeans(grey, 0, 0, 1280, 960).at(3), 2);
    const std::vector<double> source = regionMeans(big(), 0, 0, 1280, 960);
    const std::string brighter =
        convert({effect("Brightness & Contrast", {"brightness=0.3"})}, big());
    EXPECT_GT(regionMeans(brighter, 0, 0, 1280, 960).at(0), source.at(0) + 40);
}

TEST_F(EffectsE2E, WatermarkNeedsAnImageAndLaysItOver) {
    XStr why;
    EXPECT_FALSE(newEffect("Watermark")->dspValidate(&why));
    const std::string image = mDir.file("my logo.png");
    ASSERT_TRUE(makeImage(image, "red"));
    for (const auto& [position, x, y] :
         {std::tuple<const char*, int, int>{"Top Left", 0, 0}, {"Right Bottom", 1248, 928}}) {
        const std::string out = convert(
            {effect("Watermark", {"image=" + XStr(image), "position=" + XStr(position)})}, big());
        const std::vector<double> mark = regionMeans(out, x + 8, y + 8, 16, 16);
        EXPECT_GT(mark.at(2), 200) << position << " " << mLastCommand;
        EXPECT_EQ(frameSize(out), (Size{1280, 960}));
    }
}

// Each format is checked with the presets; an encoder without the format gets the nearest it
// has, and the job still succeeds.
TEST_F(EffectsE2E, PixelFormatFallsBackToWhatTheEncoderHas) {
    const std::string h264 = convert({effect("Pixel Format")}, small());
    EXPECT_EQ(probeValue(h264, "v:0", "pix_fmt"), "yuv444p");
}

TEST_F(EffectsE2E, TimingEffectsChangeTheLength) {
    const double source = probeDuration(big());
    ASSERT_NEAR(source, 2.0, 0.1);
    const struct {
        const char* effect;
        XStrList settings;
        const char* stream;  // "" for the whole file
        double seconds;
    } cases[] = {
        {"Cut", {}, "", 2.0},
        {"Cut", {"set-start=on", "start=0.5", "set-length=on", "length=1"}, "v:0", 1.0},
        {"Cut", {"set-start=on", "start=1.2"}, "v:0", 0.8},
        {"Loop", {}, "", 2.0},
        {"Loop", {"count=2"}, "v:0", 4.0},
        {"Reverse", {}, "v:0", 2.0},
        // The picture only: the sound keeps its length.
        {"Speed Adjust", {}, "v:0", 1.0},
        {"Speed Adjust", {}, "a:0", 2.0},
        {"Speed Adjust", {"factor=1.5"}, "v:0", 3.0},
    };
    for (const auto& c : cases) {
        const std::string out = convert({effect(c.effect, c.settings)}, big());
        const double seconds = *c.stream ? streamDuration(out, c.stream) : probeDuration(out);
        EXPECT_NEAR(seconds, c.seconds, 0.15) << c.effect << " " << mLastCommand;
    }
}

// Resampling, loudness and channel counts are checked with the presets.
TEST_F(EffectsE2E, AudioEffectsChangeTheSound) {
    const std::string mute = convert({effect("Audio Mute")}, big());
    EXPECT_EQ(probeStreamCount(mute, "a"), 0);
    EXPECT_EQ(probeStreamCount(mute, "v"), 1);
    const std::string normal = convert({effect("Audio Bitrate")}, big());
    const std::string low = convert({effect("Audio Bitrate", {"bitrate=32 kbps"})}, big());
    EXPECT_GT(std::atoi(probeValue(normal, "a:0", "bit_rate").c_str()), 96000);
    EXPECT_LT(std::atoi(probeValue(low, "a:0", "bit_rate").c_str()), 40000);
}

TEST_F(EffectsE2E, SeveralEffectsInOneChain) {
    const std::string out = convert({effect("Scale Absolute", {"preset=640 x 360 (360p, 16:9)"}),
                                     effect("Flip"), effect("Cut", {"set-length=on", "length=1"}),
                                     effect("Audio Resample"), effect("Audio Channel Count")},
                                    big());
    EXPECT_EQ(frameSize(out), (Size{640, 360}));
    EXPECT_NEAR(probeDuration(out), 1.0, 0.15);
    EXPECT_EQ(probeValue(out, "a:0", "sample_rate"), "48000");
    EXPECT_EQ(probeValue(out, "a:0", "channels"), "2");
}

TEST_F(EffectsE2E, ActionEffectsDeleteTheSourceOrKeepItsTimes) {
    const std::string doomed = mDir.file("doomed.mp4");
    std::filesystem::copy_file(small(), doomed);
    const std::string converted = convert({effect("Delete Source File")}, doomed);
    EXPECT_FALSE(fileExists(doomed));
    EXPECT_EQ(frameSize(converted), (Size{320, 240}));

    const std::string old = mDir.file("old.mp4");
    std::filesystem::copy_file(small(), old);
    const timeval times[2] = {{978307200, 250000}, {978393600, 500000}};  // 2001-01-01/02
    ASSERT_EQ(utimes(old.c_str(), times), 0);
    const std::string kept = convert({effect("Preserve Source Attributes")}, old);
    struct stat st {};
    ASSERT_EQ(stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 978393600);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500000000);
    EXPECT_TRUE(fileExists(old));
    // Without the effect the output has its own time.
    ASSERT_EQ(stat(convert({}, old).c_str(), &st), 0);
    EXPECT_GT(st.st_mtim.tv_sec, 978393600);
}

namespace {

class SlotWatcher : public VMCProgressView {
public:
    explicit SlotWatcher(const VMCProgressDialog& dialog) : mDialog(dialog) {}
    void jobStarted(uint32_t, const VMCCPU&) override {
        uint32_t busy = 0;
        for (const VMCCPU& slot : mDialog.cpus()) {
            busy += slot.isBusy() ? 1 : 0;
        }
        maxBusy = std::max(maxBusy, busy);
    }
    uint32_t maxBusy = 0;

private:
    const VMCProgressDialog& mDialog;
};

}  // namespace

TEST_F(EffectsE2E, MultiCPUForceSetsTheParallelEncoders) {
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    const struct {
        XStrList settings;
        uint32_t cores;
        std::size_t slots;
    } cases[] = {
        {{}, 8, 1},              // one encoder however many cores
        {{"encoders=2"}, 1, 2},  // two even on one core
        {{"encoders=2", "limit-threads=on", "threads=1"}, 1, 2},
    };
    for (const auto& c : cases) {
        auto spec =
            specFor({effect("Multi-CPU Force", c.settings)}, kEncoder, {big(), big()}, ".mp4");
        auto dialog = VMCProgressDialog::createWithSpec(spec, {});
        SlotWatcher watcher(*dialog);
        dialog->setView(&watcher);
        dialog->setNumThreads(c.cores);
        EXPECT_EQ(dialog->cpus().size(), c.slots);
        dialog->oneTimeInit();
        ASSERT_TRUE(loop->runUntil([&] { return dialog->isAllDone(); }, 60000));
        EXPECT_EQ(watcher.maxBusy, c.slots);
        for (const VAConversionEntry& entry : spec->entries) {
            EXPECT_FALSE(entry.hadErrors);
            EXPECT_EQ(frameSize(entry.urlTo.utf8()), (Size{1280, 960}));
        }
    }
    XMainThread::setPoster(nullptr);
}

// Each preset of the resources, accepted by the FFmpeg in use and doing what its label says:
// what ffprobe finds against what the preset's text asks for.
TEST_F(EffectsE2E, EveryPresetWorks) {
    using Text = std::function<std::string(const std::string&)>;
    const auto after = [](std::size_t skip) {
        return [skip](const std::string& value) { return value.substr(skip); };
    };
    const auto probed = [](const char* stream, const char* key) {
        return [stream, key](const std::string& out) { return probeValue(out, stream, key); };
    };
    const auto ratio = [](const std::string& text) {
        return XStr::format("%.2f", ratioOf(text)).utf8();
    };
    const struct {
        const char* resource;
        const char* effect;
        Text found;     // from the output
        Text expected;  // from the preset's text
    } kinds[] = {
        {"Scale Data", "Scale Absolute",
         [](const std::string& out) {
             const Size s = frameSize(out);
             return std::to_string(s.width) + ":" + std::to_string(s.height);
         },
         after(10)},  // after "-vf scale="
        {"Aspect Ratio Data", "Aspect Ratio",
         [&](const std::string& out) {
             return ratio(probeValue(out, "v:0", "display_aspect_ratio"));
         },
         [&](const std::string& value) { return ratio(value.substr(8)); }},  // after "-aspect "
        {"Frame Rate Data", "Frame Rate", probed("v:0", "r_frame_rate"),
         [](const std::string& value) {
             const std::string asked = value.substr(3);  // after "-r "
             return asked.find('/') == std::string::npos ? asked + "/1" : asked;
         }},
        {"Audio Normalize Data", "Audio Normalize", probed("a:0", "sample_rate"),
         [](const std::string&) { return std::string("48000"); }},
        {"Audio Resample Data", "Audio Resample", probed("a:0", "sample_rate"), after(4)},
        {"Channel Count Data", "Audio Channel Count", probed("a:0", "channels"), after(4)},
    };
    for (const auto& kind : kinds) {
        const VVCDSPPresets presets = VVCDSPPresets::load(kind.resource);
        for (std::size_t i = 0; i < presets.size(); ++i) {
            const std::string value = presets.comboValues[i].utf8();
            const std::string out = convert({{kind.effect, presets.comboValues[i]}}, small());
            EXPECT_EQ(kind.found(out), kind.expected(value)) << presets.comboShown[i];
        }
    }
    for (const XStr& format : VVCDSPPresets::loadNames("Pixel Formats")) {
        const std::string out =
            convert({{"Pixel Format", "-pix_fmt " + format}}, small(), kRawEncoder, ".nut");
        EXPECT_EQ(probeValue(out, "v:0", "pix_fmt"), format.utf8());
    }
}
