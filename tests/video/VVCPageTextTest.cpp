#include <gtest/gtest.h>

#include <algorithm>

#include "VACommandText.h"
#include "VAConversionSpec.h"
#include "VMCBatch.h"
#include "VMCCodecMap.h"
#include "VMCFFmpegCommand.h"
#include "VVCCodecs.h"
#include "VVCPageText.h"

TEST(VVCPageText, DescribesEveryControlWithItsSheet) {
    VMCEncoderArgsHost host;
    std::unique_ptr<VMCEncoderPage> page =
        VVCPageText::openEncoderPage("MP4 (H264)", &host, true, nullptr);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(VVCPageText::applySettings(*page, {"rate-control=Lossless"}));
    EXPECT_EQ(
        VVCPageText::describe(*page),
        (XStrList{
            "rate-control (choice) \"Rate control\": 'Average bitrate', 'Constant bitrate', "
            "'Constant quality (CRF)', 'Lossless' (or #1 to #4); now 'Lossless'",
            "quality (slider) \"Quality\": 0 to 0 (or #1 to #1); now 0, Lossless video encoding "
            "(cannot be changed now)",
            "audio (choice) \"Audio\": 'Audio Stream: Re-encode to AAC', 'Audio Stream: Copy 1:1 "
            "From Source' (or #1 to #2); now 'Audio Stream: Re-encode to AAC'",
            "advanced (button) \"Advanced...\": opens a sheet",
            "advanced.preset (choice) \"Preset\": 'Ultra fast', 'Super fast', 'Very fast', "
            "'Faster', 'Fast', 'Medium', 'Slow', 'Slower', 'Very slow' (or #1 to #9); now 'Medium'",
            "advanced.tune (choice) \"Tune for\": 'General', 'Film', 'Animation', 'Grainy film', "
            "'Slideshow', 'Fast decode', 'Zero latency streaming' (or #1 to #7); now 'General'",
            "advanced.compatibility (check box) \"Maximum compatibility\": on or off; now off"}));
    EXPECT_EQ(host.encoderArgs(), XStr("-c:v libx264 -crf 0 -acodec aac_at"))
        << "looking at the sheet changes nothing";

    VMCEncoderArgsHost extractHost;
    page = VVCPageText::openEncoderPage("Audio Extract (AAC)", &extractHost, false, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(VVCPageText::describe(*page)[1],
              XStr("note (label): Note: AAC audio is extracted 1:1, the source file has to "
                   "contain AAC audio."));
    VMCEncoderArgsHost customHost;
    page = VVCPageText::openEncoderPage("[Custom FFmpeg settings]", &customHost, false, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(VVCPageText::describe(*page),
              (XStrList{"arguments (text) \"FFmpeg options\": any text; now ''",
                        "extension (text) \"Output file extension\": any text; now ''",
                        "help (button) \"Codec documentation\": an action"}));
}

TEST(VVCPageText, SlidersShowTheirValuesListedWhenFewElseTheirRange) {
    const std::unique_ptr<VMCDSPPage> rotate = VVCPageText::openEffectPage("Rotate", false);
    ASSERT_NE(rotate, nullptr);
    EXPECT_EQ(VVCPageText::describe(*rotate),
              XStrList{"angle (slider) \"Angle\": -360 degrees to 360 degrees (or #1 to #721); "
                       "now 0 degrees"});
    const std::unique_ptr<VMCDSPPage> hqdn3d =
        VVCPageText::openEffectPage("Denoiser (High Precision 3D)", true);
    ASSERT_NE(hqdn3d, nullptr);
    EXPECT_EQ(
        VVCPageText::describe(*hqdn3d).at(0),
        XStr("luma-spatial (slider) \"Luma spatial\": 0.2, 0.4, 0.4, 0.8, 1, 2, 3, 4, 5, 6, "
             "7, 8, 9, 10, 12, 14, 16, 18, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100 (or #1 "
             "to #29); now 4, Luma Spatial 4"));
}

TEST(VVCPageText, SettingsApplyInOrderAsUserActions) {
    XStr error;
    const std::optional<VAEncoderArgs> args =
        VVCPageText::encoderArgsFor("Matroska (H264)",
                                    {"rate-control=Average bitrate", "quality=1.5 mbps", "audio=2",
                                     "advanced.preset=slow", "advanced.tune = film"},
                                    true, &error);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ(args->strArgs, XStr("-c:v libx264 -b:v 1.5M -tune film -preset slow -acodec copy"));

    const std::optional<VAEncoderArgs> custom = VVCPageText::encoderArgsFor(
        "[Custom FFmpeg settings]", {"arguments=-c:v ffv1 -c:a flac", "extension=mkv"}, false,
        &error);
    ASSERT_TRUE(custom) << error;
    EXPECT_EQ(*custom, (VAEncoderArgs{"-c:v ffv1 -c:a flac", "mkv", {}}));
    EXPECT_EQ(VVCPageText::outputExtension("[Custom FFmpeg settings]", *custom), XStr(".mkv"));
    EXPECT_EQ(VVCPageText::outputExtension("WebM (VP9)", *custom), XStr(".webm"));
}

TEST(VVCPageText, ErrorsNameWhatIsValid) {
    struct Row {
        const char* encoder;
        XStrList settings;
        bool gpl;
        const char* error;
    };
    XStr offered;
    for (const VAEncoderDesc& desc : VVCCodecs::listEncoders(false)) {
        offered += "\n  " + desc.name;
    }
    const Row rows[] = {
        {"MP4 (H.264)", {}, false, "No encoder 'MP4 (H.264)'. The encoders are:"},
        {"mp4 (h264)",
         {},
         false,
         "The encoder 'MP4 (H264)' is not offered: needs an FFmpeg with libx264. The encoders "
         "are:"},
        {"MP4 (H264)",
         {},
         false,
         "The encoder 'MP4 (H264)' is not offered: needs an FFmpeg with libx264. The encoders "
         "are:"},
        {"[Multi Encoder]", {}, false, "The encoder '[Multi Encoder]' has no settings page here"},
        {"WebM (VP8)",
         {"quality=0"},
         false,
         "The control 'quality' takes a value from 51 to 1 (or its position #1 to #51), not '0'"},
        {"3GP",
         {"video=H264", "video"},
         true,
         "The control 'video' takes one of these values (or its position #1 to #6), not '':\n"
         "  H263 (128x96)\n  H263 (176x144)\n  H263 (352x288)\n  H263 (704x576)\n"
         "  H263 (1408x1152)\n  H264"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.encoder);
        XStr error;
        EXPECT_FALSE(VVCPageText::encoderArgsFor(row.encoder, row.settings, row.gpl, &error));
        XStr expected = row.error;
        if (expected.endsWith("The encoders are:")) {
            expected += offered;
        }
        EXPECT_EQ(error, expected);
    }
}

TEST(VVCPageText, EncoderLinesMarkWhatIsNotOffered) {
    EXPECT_EQ(VVCPageText::encoderLines(false, false).size(), 18u);
    const XStrList all = VVCPageText::encoderLines(true, false);
    ASSERT_EQ(all.size(), 25u);
    EXPECT_EQ(all[0], XStr("3GP\t.3gp\t(not offered: needs an FFmpeg with libx264)"));
    EXPECT_EQ(all[1], XStr("AVI\t.avi"));
    EXPECT_EQ(all[24], XStr("[Multi Encoder]\t"));
    int marked = 0;
    for (const XStr& line : all) {
        marked += line.endsWith("(not offered: needs an FFmpeg with libx264)") ? 1 : 0;
    }
    EXPECT_EQ(marked, 7);
    EXPECT_EQ(VVCPageText::encoderLines(true, true), VVCPageText::encoderLines(false, true));
}

// What `vantaro convert --dry-run --encoder "WebM (VP8)" clip.mp4` prints: the page's
// defaults through the batch assembly, the codec map and the command builder of the run.
TEST(VVCPageText, DryRunOfWebMVP8HasTheDefaultOutputOptions) {
    const std::optional<VAEncoderArgs> args =
        VVCPageText::encoderArgsFor("WebM (VP8)", {}, false, nullptr);
    ASSERT_TRUE(args);
    auto spec = std::make_shared<VAConversionSpec>();
    spec->Encoder = VAEncoderDesc::makeVideoCodec("WebM (VP8)", ".webm");
    spec->EncoderArgsV2 = *args;

    VMCProcessArg arg;
    arg.srcFrom = VAConvertSource::withURL("/m/clip.mp4");
    arg.urlTo = "/m/clip" + VVCPageText::outputExtension("WebM (VP8)", *args);
    arg.args = VMCBatch(spec).commandLine();
    VMCFFmpegCommandInput input;
    input.ffmpegPath = "/usr/bin/ffmpeg";
    input.progressPath = "/dev/null";
    input.codecMap = [](const XStr& text, XStrList& info) {
        return VMCCodecMap::rewrite(text, {"libvpx", "libopus", "aac"}, nullptr, info);
    };
    const VMCFFmpegCommand command = VMCFFmpegCommand::build(arg, input);
    EXPECT_EQ(VACommandText::Split(command.commandText),
              (XStrList{"/usr/bin/ffmpeg", "-i", "/m/clip.mp4", "-acodec", "libopus", "-c:v",
                        "libvpx", "-crf", "24", "-loglevel", "16", "-y", "-ignore_unknown",
                        "-hide_banner", "-progress", "/dev/null", "/m/clip.webm"}));
    EXPECT_TRUE(command.infoLines.empty());
}

TEST(VVCPageText, NamesMayBeTypedInAnyCaseAndAnExactSpellingWins) {
    EXPECT_EQ(VVCPageText::encoderNamed("  webm (vp8) ", false, false), XStr("WebM (VP8)"));
    EXPECT_EQ(VVCPageText::encoderNamed("mp4 (h264)", false, false), std::nullopt)
        << "not offered without GPL encoders";
    EXPECT_EQ(VVCPageText::encoderNamed("mp4 (h264)", true, false), XStr("MP4 (H264)"));
    EXPECT_EQ(VVCPageText::effectNamed("SCALE MAXIMUM", false, false), XStr("Scale Maximum"));
    EXPECT_EQ(VVCPageText::effectNamed("Scale", false, false), std::nullopt) << "no prefixes";
}

TEST(VVCPageText, EffectsComeFromTheirPagesAndAreCheckedBeforeUse) {
    XStr error;
    const std::optional<VADSPSpec> crop =
        VVCPageText::effectFor("crop", {"width=320", "height=180", "x=8"}, false, &error);
    ASSERT_TRUE(crop) << error;
    EXPECT_EQ(crop->name, XStr("Crop"));
    EXPECT_EQ(crop->args, XStr("-vf crop=320:180:8:0"));

    EXPECT_FALSE(VVCPageText::effectFor("Watermark", {}, false, &error));
    EXPECT_EQ(error,
              XStr("The effect 'Watermark' is not ready: Choose a PNG image for the watermark."));
    EXPECT_FALSE(VVCPageText::effectFor("Crop", {"width=0"}, false, &error));
    EXPECT_TRUE(error.startsWith("Effect 'Crop': The control 'width' ")) << error.utf8();

    // Effects that need GPL filters are listed, marked, only when asked, and refused.
    const XStrList offered = VVCPageText::effectLines(false, false);
    const XStrList all = VVCPageText::effectLines(true, false);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), XStr("Denoiser (Wavelet)")), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(),
                         XStr("Denoiser (Wavelet)\t(") + VVCPageText::kEffectNotOffered + ")"),
              1);
    EXPECT_EQ(all.size(), offered.size() + 3);
    EXPECT_EQ(VVCPageText::effectLines(true, true), VVCPageText::effectLines(false, true));
    EXPECT_FALSE(VVCPageText::effectFor("denoiser (wavelet)", {}, false, &error));
    EXPECT_TRUE(error.startsWith(XStr("The effect 'Denoiser (Wavelet)' is ") +
                                 VVCPageText::kEffectNotOffered + ". The effects are:\n  Aspect"))
        << error.utf8();
    EXPECT_TRUE(VVCPageText::effectFor("denoiser (wavelet)", {}, true, &error)) << error.utf8();
}
