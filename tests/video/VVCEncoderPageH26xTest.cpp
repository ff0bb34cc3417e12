#include <gtest/gtest.h>

#include "EncoderPageTestSupport.h"
#include "VVCEncoderPageH264.h"
#include "VVCEncoderPageH265.h"

// A new encoder writes CRF 24 at once, without a preset; each user action then writes the
// whole text, and each rate control mode comes back with its last value.
TEST(VVCEncoderPageH264, UserActionsWriteCompleteTextsInOptionOrder) {
    OpenedPage mp4("MP4 (H264)");
    EXPECT_EQ(mp4.args(), XStr("-c:v libx264 -crf 24 -acodec aac_at"));
    EXPECT_EQ(mp4.host.writes(), 1);
    EXPECT_EQ(mp4.shown("rate-control"), XStr("Constant quality (CRF)"));
    EXPECT_EQ(mp4.control("quality").valueText, XStr("Quality (CRF) 24"));
    struct Step {
        const char* id;
        const char* value;
        const char* text;
    };
    const Step steps[] = {
        {"quality", "30", "-c:v libx264 -crf 30 -acodec aac_at"},
        {"advanced.preset", "Medium", "-c:v libx264 -crf 30 -preset medium -acodec aac_at"},
        {"advanced.compatibility", "on",
         "-c:v libx264 -crf 30 -profile:v baseline -level 3.0 -preset medium -acodec aac_at"},
        {"advanced.tune", "Grainy film",
         "-c:v libx264 -crf 30 -profile:v baseline -level 3.0 -tune grain -preset medium "
         "-acodec aac_at"},
        {"advanced.compatibility", "off",
         "-c:v libx264 -crf 30 -tune grain -preset medium -acodec aac_at"},
        {"advanced.tune", "General", "-c:v libx264 -crf 30 -preset medium -acodec aac_at"},
        {"rate-control", "Constant bitrate",
         "-c:v libx264 -b:v 1M -minrate 1M -maxrate 1M -preset medium -acodec aac_at"},
        {"quality", "1500k",
         "-c:v libx264 -b:v 1.5M -minrate 1.5M -maxrate 1.5M -preset medium -acodec aac_at"},
        {"audio", "Audio Stream: Copy 1:1 From Source",
         "-c:v libx264 -b:v 1.5M -minrate 1.5M -maxrate 1.5M -preset medium -acodec copy"},
        {"rate-control", "Lossless", "-c:v libx264 -crf 0 -preset medium -acodec copy"},
        {"rate-control", "Average bitrate", "-c:v libx264 -b:v 1.5M -preset medium -acodec copy"},
        {"rate-control", "Constant quality (CRF)",
         "-c:v libx264 -crf 30 -preset medium -acodec copy"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(mp4.set(step.id, step.value), XStr(step.text)) << step.id << "=" << step.value;
    }
}

TEST(VVCEncoderPageH264, ReadsBackWhatItWrites) {
    OpenedPage page("MP4 (H264)",
                    "-c:v libx264 -b:v 1.5M -minrate 1.5M -maxrate 1.5M -profile:v baseline "
                    "-level 3.0 -tune animation -preset slower -acodec copy");
    EXPECT_EQ(page.host.writes(), 0) << "a stored text is only read";
    EXPECT_EQ(page.shown("rate-control"), XStr("Constant bitrate"));
    EXPECT_EQ(page.control("quality").value, 8);
    EXPECT_EQ(page.control("quality").valueText, XStr("Constant bitrate: 1.5 mbps"));
    EXPECT_EQ(page.shown("audio"), XStr("Audio Stream: Copy 1:1 From Source"));
    EXPECT_EQ(page.shown("advanced.preset"), XStr("Slower"));
    EXPECT_EQ(page.shown("advanced.tune"), XStr("Animation"));
    EXPECT_EQ(page.shown("advanced.compatibility"), XStr("on"));
    auto* h264 = dynamic_cast<VVCEncoderPageH264*>(page.page.get());
    ASSERT_NE(h264, nullptr);
    h264->onChanged();
    EXPECT_EQ(page.args(), XStr("-c:v libx264 -b:v 1.5M -minrate 1.5M -maxrate 1.5M -profile:v "
                                "baseline -level 3.0 -tune animation -preset slower -acodec copy"));

    OpenedPage mkv("Matroska (H264)", "-c:v libx264 -crf 0 -acodec copy");
    EXPECT_EQ(mkv.shown("rate-control"), XStr("Lossless"));
    EXPECT_EQ(mkv.shown("audio"), XStr("Audio Stream: Copy 1:1 From Source"));
    EXPECT_EQ(mkv.control("audio").value, 2);
}

TEST(VVCEncoderPageH264, QScaleTextKeepsTheChoiceItShowed) {
    OpenedPage page("MOV (Quicktime Movie)", "-c:v libx264 -b:v 1M -acodec aac_at");
    auto* h264 = dynamic_cast<VVCEncoderPageH264*>(page.page.get());
    ASSERT_NE(h264, nullptr);
    EXPECT_EQ(h264->optionIndex(), 0u);
    h264->setEncoderArgs("-c:v libx264 -qscale 4 -acodec aac_at");
    EXPECT_TRUE(h264->isQScale());
    EXPECT_EQ(h264->optionIndex(), 0u);
    EXPECT_EQ(h264->strQualityPreset(), XStr()) << "absent preset reads as none";
    EXPECT_EQ(page.set("audio", "1"), XStr("-c:v libx264 -qscale 4 -acodec copy"));
}

TEST(VVCEncoderPageH264, SheetCancelKeepsTheTextAndOkAlwaysSetsAPreset) {
    OpenedPage page("MP4 (H264)", "-c:v libx264 -crf 20 -preset turbo -acodec aac_at");
    EXPECT_EQ(page.shown("advanced.preset"), XStr("Medium")) << "unknown preset: default row";
    const int writes = page.host.writes();
    VMCPage* sheet = page.page->openSheet("advanced");
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->setControl("preset", "Ultra fast"));
    ASSERT_TRUE(sheet->setControl("compatibility", "on"));
    page.page->closeSheet("advanced", false);
    EXPECT_EQ(page.args(), XStr("-c:v libx264 -crf 20 -preset turbo -acodec aac_at"))
        << "the unknown preset is kept and written back";
    EXPECT_EQ(page.host.writes(), writes + 1) << "the page writes after either ending";

    XStr error;
    EXPECT_FALSE(page.page->setControl("advanced.preset", "Turbo", &error));
    EXPECT_EQ(error, XStr("The control 'preset' takes one of these values (or its position #1 to "
                          "#9), not 'Turbo':\n  Ultra fast\n  Super fast\n  Very fast\n  Faster\n"
                          "  Fast\n  Medium\n  Slow\n  Slower\n  Very slow"));
    EXPECT_EQ(page.args(), XStr("-c:v libx264 -crf 20 -preset turbo -acodec aac_at"));

    EXPECT_EQ(page.set("advanced.compatibility", "off"),
              XStr("-c:v libx264 -crf 20 -preset medium -acodec aac_at"));
}

TEST(VVCEncoderPageH265, PresetOnlyAndItsOwnCodec) {
    OpenedPage page("MP4 (H265)");
    EXPECT_EQ(page.args(), XStr("-c:v libx265 -crf 24 -acodec aac_at"));
    EXPECT_EQ(page.set("advanced.preset", "Very slow"),
              XStr("-c:v libx265 -crf 24 -preset veryslow -acodec aac_at"));
    EXPECT_EQ(page.set("rate-control", "Lossless"),
              XStr("-c:v libx265 -crf 0 -preset veryslow -acodec aac_at"));
    EXPECT_FALSE(page.control("quality").enabled);
    EXPECT_EQ(page.set("rate-control", "Average bitrate"),
              XStr("-c:v libx265 -b:v 1M -preset veryslow -acodec aac_at"));
    XStr error;
    EXPECT_FALSE(page.page->setControl("advanced.tune", "Film", &error));
    EXPECT_EQ(error, XStr("No control 'tune'. The controls are:\n  preset"));

    OpenedPage mkv("Matroska (H265)", "-c:v libx265 -crf 28 -preset fast -acodec libopus");
    EXPECT_EQ(mkv.shown("audio"), XStr("Audio Stream: Re-encode to Opus"));
    EXPECT_EQ(mkv.shown("advanced.preset"), XStr("Fast"));
    EXPECT_EQ(mkv.set("quality", "26"), XStr("-c:v libx265 -crf 26 -preset fast -acodec libopus"));
}
