// Every offered encoder at its defaults through the real run, each output checked with
// ffprobe for its container and codecs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>

#include "MediaSupport.h"
#include "RecordingCallback.h"
#include "TestSupport.h"
#include "VAConversionSpec.h"
#include "VALocateFFmpeg.h"
#include "VMCBatch.h"
#include "VMCProcess.h"
#include "VVCCodecs.h"
#include "VVCPageText.h"
#include "XFindProgram.h"

namespace {

// ffprobe's format name, refined where one name covers several containers: the major
// brand of the MP4 family, the document type of the Matroska family.
std::string containerOf(const std::string& path) {
    const std::string format = probeValue(path, "", "format_name");
    if (format.find("mp4") != std::string::npos) {
        std::string out;
        runProgram({XFindProgram("ffprobe").utf8(), "-v", "error", "-show_entries",
                    "format_tags=major_brand", "-of", "default=noprint_wrappers=1:nokey=1", path},
                   &out);
        return "mp4 family, brand " + out.substr(0, out.find('\n'));
    }
    if (format.find("matroska") != std::string::npos) {
        std::ifstream in(path, std::ios::binary);
        std::string head(64, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        return head.find("webm") != std::string::npos ? "webm" : "matroska";
    }
    return format;
}

std::string codecOf(const std::string& path, const char* kind) {
    if (probeStreamCount(path, kind) == 0) {
        return "none";
    }
    return probeValue(path, std::string(kind) + ":0", "codec_name");
}

struct Row {
    const char* encoder;
    const char* source;  // the clip's audio: "aac" or "mp3"
    const char* container;
    const char* video;
    const char* audio;
    // Settings beyond the defaults: the custom encoder needs its extension.
    XStrList settings;
};

// Names the row in test logs instead of its bytes.
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.encoder << " from " << row.source;
}

const Row kRows[] = {
    {"3GP", "aac", "mp4 family, brand 3gp4", "h263", "aac", {}},
    {"AVI", "aac", "avi", "mpeg4", "mp3", {}},
    {"Audio Extract (AAC)", "aac", "mp4 family, brand M4A ", "none", "aac", {}},
    {"Audio Extract (MP3)", "mp3", "mp3", "none", "mp3", {}},
    {"Audio Extract (WAVE)", "aac", "wav", "none", "pcm_s16le", {}},
    {"Audio Extract (WAVE)", "mp3", "wav", "none", "pcm_s16le", {}},
    {"Flash Video", "aac", "flv", "flv1", "mp3", {}},
    {"GIF Animation", "aac", "gif", "gif", "none", {}},
    {"MOV (Quicktime Movie)", "aac", "mp4 family, brand qt  ", "h264", "aac", {}},
    {"MP4 (Apple H264)", "aac", "mp4 family, brand isom", "h264", "aac", {}},
    {"MP4 (Apple H265)", "aac", "mp4 family, brand isom", "hevc", "aac", {}},
    {"MP4 (H264)", "aac", "mp4 family, brand isom", "h264", "aac", {}},
    {"MP4 (H265)", "aac", "mp4 family, brand isom", "hevc", "aac", {}},
    {"MP4 (copy, no encoding)", "aac", "mp4 family, brand isom", "h264", "aac", {}},
    {"Matroska (Apple H264)", "aac", "matroska", "h264", "aac", {}},
    {"Matroska (Apple H265)", "aac", "matroska", "hevc", "aac", {}},
    {"Matroska (H264)", "aac", "matroska", "h264", "aac", {}},
    {"Matroska (H265)", "aac", "matroska", "hevc", "aac", {}},
    {"Matroska (VP9)", "aac", "matroska", "vp9", "aac", {}},
    {"Matroska (copy, no encoding)", "mp3", "matroska", "h264", "aac", {}},
    {"VOB", "aac", "mpeg", "mpeg2video", "ac3", {}},
    {"WMV (Windows Media Video)", "aac", "asf", "wmv2", "wmav2", {}},
    {"WebM (VP8)", "aac", "webm", "vp8", "opus", {}},
    {"WebM (VP9)", "aac", "webm", "vp9", "opus", {}},
    {"[Custom FFmpeg settings]", "aac", "matroska", "h264", "vorbis", {"extension=mkv"}},
};

class EncoderE2E : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("tmp").c_str(), 0700), 0);
        VALocateFFmpeg::resetCachesForTesting();
    }

    std::string clip(const std::string& audio) {
        TestClip c;
        c.audioCodec = audio == "mp3" ? "libmp3lame" : "aac";
        const std::string path = mDir.file("source-" + audio + ".mkv");
        EXPECT_TRUE(makeTestClip(path, c));
        return path;
    }

    // Converts with the encoder's page at its defaults plus the settings; answers the
    // output's path.
    std::string convert(const XStr& encoder, const XStrList& settings, const std::string& from,
                        RecordingCallback& recorder) {
        XStr error;
        const std::optional<VAEncoderArgs> args = VVCPageText::encoderArgsFor(
            encoder, settings, VALocateFFmpeg::gplEncodersOffered(), &error);
        EXPECT_TRUE(args) << error;
        if (!args) {
            return {};
        }
        auto spec = std::make_shared<VAConversionSpec>();
        spec->Encoder = VAEncoderDesc::makeVideoCodec(encoder, {});
        spec->EncoderArgsV2 = *args;
        const std::string to =
            mDir.file("out" + VVCPageText::outputExtension(encoder, *args).utf8());
        VMCProcessArg arg;
        arg.srcFrom = VAConvertSource::withURL(XStr(from));
        arg.urlTo = XStr(to);
        arg.args = VMCBatch(spec).commandLine();
        arg.callback = std::shared_ptr<VMCStatusCallback>(&recorder, [](VMCStatusCallback*) {});
        arg.events = std::make_shared<VMCProcessEvents>();
        VMCProcess::convertWithArg(arg);
        for (const XStr& line : recorder.infos) {
            if (line.startsWith("This FFmpeg has no encoder")) {
                std::cout << "[ " << encoder << " ] " << line << "\n";
            }
        }
        return to;
    }

    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("appdata").c_str()};
};

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    std::string name;
    for (const char c : std::string(info.param.encoder) + "_" + info.param.source) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

}  // namespace

TEST_P(EncoderE2E, DefaultsGiveTheContainerAndCodecsOfTheFormat) {
    const Row& row = GetParam();
    if (VVCCodecs::isGPL(row.encoder) && !VALocateFFmpeg::gplEncodersOffered()) {
        GTEST_SKIP() << "not offered with this FFmpeg";
    }
    RecordingCallback recorder;
    const std::string out = convert(row.encoder, row.settings, clip(row.source), recorder);
    ASSERT_TRUE(recorder.errors.empty()) << recorder.errors.front();
    ASSERT_TRUE(fileExists(out)) << out;
    EXPECT_EQ(containerOf(out), row.container);
    EXPECT_EQ(codecOf(out, "v"), row.video);
    EXPECT_EQ(codecOf(out, "a"), row.audio);
    EXPECT_NEAR(probeDuration(out), 2.0, 0.3);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EncoderE2E, ::testing::ValuesIn(kRows), rowName);

TEST(EncoderE2ECoverage, EveryOfferedEncoderHasARow) {
    for (const VAEncoderDesc& desc :
         VAEncoderDesc::listEncoders_dropSpecial(VVCCodecs::listEncoders(true))) {
        const bool found = std::any_of(std::begin(kRows), std::end(kRows), [&desc](const Row& row) {
            return desc.name == row.encoder;
        });
        EXPECT_TRUE(found) << desc.name;
    }
}

// The note on the page says so: copying needs audio of the same kind. The run must report
// the mismatch as an error, not as a finished file.
TEST_F(EncoderE2E, ExtractingAudioOfAnotherKindFails) {
    struct Case {
        const char* encoder;
        const char* source;
    };
    for (const Case& c : {Case{"Audio Extract (AAC)", "mp3"}, Case{"Audio Extract (MP3)", "aac"}}) {
        RecordingCallback recorder;
        convert(c.encoder, {}, clip(c.source), recorder);
        ASSERT_FALSE(recorder.errors.empty()) << c.encoder;
        std::cout << "[ " << c.encoder << " on " << c.source << " ] "
                  << XStr::join(recorder.errors, " | ") << "\n";
    }
}
