#include <gtest/gtest.h>

#include "VAElemValueList.h"
#include "VVCAudioOptions.h"
#include "VVCEncoderBitrates.h"
#include "VVCEncoderPageCommon.h"

TEST(VVCEncoderBitrates, OptionAndUserTextsOfTheTable) {
    struct Row {
        unsigned index;
        const char* option;
        const char* user;
    };
    for (const Row& row :
         {Row{0, "200k", "200 kbps"}, Row{6, "800k", "800 kbps"}, Row{7, "1M", "1 mbps"},
          Row{8, "1.5M", "1.5 mbps"}, Row{10, "2.5M", "2.5 mbps"}, Row{19, "20M", "20 mbps"}}) {
        const uint32_t kbps = VVCEncoderBitrates::bitrateByIndex(row.index);
        EXPECT_EQ(VVCEncoderBitrates::formatBitrate(kbps), XStr(row.option));
        EXPECT_EQ(VVCEncoderBitrates::formatBitrateUser(kbps), XStr(row.user));
        EXPECT_EQ(VVCEncoderBitrates::findBitrateIndex(row.option), row.index);
    }
    EXPECT_EQ(VVCEncoderBitrates::formatBitrate(1250), XStr("1.2M")) << "hundreds digit only";
    EXPECT_EQ(VVCEncoderBitrates::bitrateByIndex(20), 0u);
    EXPECT_EQ(VVCEncoderBitrates::findBitrateIndex("1200k"), std::nullopt);
    EXPECT_EQ(VVCEncoderBitrates::findBitrateIndex("1.5m"), std::nullopt) << "exact text";
}

// How many choices each container gives is checked with the catalogue's pages.
TEST(VVCAudioOptions, ChoicesFollowTheContainer) {
    const VVCAudioOptions matroska = VVCAudioOptions::createForFormat("matroska");
    EXPECT_EQ(matroska.optionSwitches(),
              (XStrList{"-acodec aac_at", "-acodec libopus", "-acodec copy"}));
    EXPECT_EQ(VVCAudioOptions::createForFormat("MOV").optionLabels(),
              (XStrList{"Audio Stream: Re-encode to AAC", "Audio Stream: Copy 1:1 From Source"}));
    EXPECT_EQ(matroska.optionFromArgs("-c:v libx264 -crf 24 -acodec copy"), 2u);
    EXPECT_EQ(matroska.optionFromArgs("-acodec libopus"), 1u);
    EXPECT_EQ(VVCAudioOptions::createForFormat("webm").optionFromArgs("-acodec copy"), 0u);
    EXPECT_EQ(VVCAudioOptions::createForFormat("mp4").optionFromArgs("-acodec mp3"), 0u);
}

namespace {

struct CommonPage {
    VMCEncoderArgsHost host;
    VVCEncoderPageCommon page{&host};

    // Reads a text as a stored one and writes it back as after a change.
    XStr roundTrip(const XStr& text) {
        page.setEncoderArgs(text);
        page.onChanged();
        return host.encoderArgs();
    }
    // A change of mode as the rate control choice makes it: the page writes at once.
    XStr switchTo(void (VVCEncoderPageCommon::*mode)()) {
        (page.*mode)();
        page.onChanged();
        return host.encoderArgs();
    }
    // The slider set as a user types its value.
    XStr set(const XStr& value) {
        XStr error;
        EXPECT_TRUE(page.setControl("quality", value, &error)) << error;
        return host.encoderArgs();
    }
};

}  // namespace

TEST(VVCEncoderPageCommon, ReadsEachModeBackFromItsText) {
    struct Row {
        const char* text;
        uint32_t mode;
        int position;
        const char* label;
        const char* written;
    };
    const Row rows[] = {
        {"-crf 24", VVCEncoderPageCommon::kModeCRF, 27, "Quality (CRF) 24", "-crf 24"},
        {"-crf 0", VVCEncoderPageCommon::kModeLossless, 0, "Lossless video encoding", "-crf 0"},
        {"-b:v 1.5M -minrate 1.5M -maxrate 1.5M", VVCEncoderPageCommon::kModeCBR, 8,
         "Constant bitrate: 1.5 mbps", "-b:v 1.5M -minrate 1.5M -maxrate 1.5M"},
        {"-maxrate 20M", VVCEncoderPageCommon::kModeCBR, 19, "Constant bitrate: 20 mbps",
         "-b:v 20M -minrate 20M -maxrate 20M"},
        {"-b:v 200k", VVCEncoderPageCommon::kModeABR, 0, "Average bitrate: 200 kbps", "-b:v 200k"},
        {"-qscale 0", VVCEncoderPageCommon::kModeQScale, 10, "Quality (qscale) 0", "-qscale 0"},
        // crf is asked first, so it wins over a bitrate in the same text.
        {"-b:v 2M -crf 18", VVCEncoderPageCommon::kModeCRF, 33, "Quality (CRF) 18", "-crf 18"},
        // Beyond the slider: the nearest end is shown.
        {"-crf 60", VVCEncoderPageCommon::kModeCRF, 0, "Quality (CRF) 51", "-crf 51"},
        {"-qscale 31", VVCEncoderPageCommon::kModeQScale, 0, "Quality (qscale) 10", "-qscale 10"},
    };
    for (const Row& row : rows) {
        CommonPage p;
        EXPECT_EQ(p.roundTrip(row.text), XStr(row.written)) << row.text;
        EXPECT_EQ(p.page.mode(), row.mode) << row.text;
        EXPECT_EQ(p.page.sliderPosition(), row.position) << row.text;
        EXPECT_EQ(p.page.sliderLabel(), XStr(row.label)) << row.text;
    }
}

TEST(VVCEncoderPageCommon, TextWithoutRateControlLeavesThePageWithoutMode) {
    CommonPage p;
    EXPECT_EQ(p.roundTrip("-vcodec copy -acodec aac"), XStr());
    EXPECT_EQ(p.page.mode(), VVCEncoderPageCommon::kModeNone);
    EXPECT_EQ(p.page.sliderLabel(), XStr());
    XStr error;
    EXPECT_FALSE(p.page.setControl("quality", "3", &error)) << "no slider without a mode";
}

TEST(VVCEncoderPageCommon, SliderEndsAndLosslessDisablesIt) {
    CommonPage p;
    p.page.setDefCRF();
    EXPECT_EQ(p.set("1"), XStr("-crf 1"));
    EXPECT_EQ(p.set("51"), XStr("-crf 51"));
    EXPECT_EQ(p.set("#51"), XStr("-crf 1")) << "the right end";
    XStr error;
    EXPECT_FALSE(p.page.setControl("quality", "0", &error)) << "CRF 0 is the lossless mode";
    EXPECT_FALSE(p.page.setControl("quality", "#52", &error));
    p.page.switchToLossless();
    EXPECT_FALSE(p.page.setControl("quality", "#1", &error));
    EXPECT_FALSE(p.page.pageView()[0].enabled);
    p.page.switchToQScale();
    EXPECT_EQ(p.set("0"), XStr("-qscale 0"));
    EXPECT_FALSE(p.page.setControl("quality", "11", &error)) << "qscale has 11 stops";
    EXPECT_FALSE(p.page.setControl("quality", "#12", &error));
}

TEST(VVCEncoderPageCommon, EachModeRemembersItsLastValueAndBitrateModesShareOne) {
    CommonPage p;
    using Page = VVCEncoderPageCommon;
    p.roundTrip("-crf 30");
    EXPECT_EQ(p.switchTo(&Page::switchToQScale), XStr("-qscale 5")) << "qscale default";
    EXPECT_EQ(p.set("3"), XStr("-qscale 3"));
    EXPECT_EQ(p.switchTo(&Page::switchToCRF), XStr("-crf 30"));
    EXPECT_EQ(p.switchTo(&Page::switchToQScale), XStr("-qscale 3"));

    EXPECT_EQ(p.switchTo(&Page::switchToABR), XStr("-b:v 1M")) << "bitrate default";
    EXPECT_EQ(p.set("1.5 mbps"), XStr("-b:v 1.5M"));
    EXPECT_EQ(p.switchTo(&Page::switchToCBR), XStr("-b:v 1.5M -minrate 1.5M -maxrate 1.5M"));
    p.page.switchToCRF();
    EXPECT_EQ(p.switchTo(&Page::switchToABR), XStr("-b:v 1.5M"));
}

TEST(VVCEncoderPageCommon, BitrateOutsideTheTableSwitchesModeButIsNotRemembered) {
    CommonPage p;
    p.roundTrip("-b:v 800k");
    p.page.setAverageBitrateStr("1200k");
    EXPECT_TRUE(p.page.isABR());
    EXPECT_EQ(p.page.averageBitrateStr(), XStr("800k")) << "the slider stayed";
    p.page.setConstantBitrateStr("1200k");
    EXPECT_TRUE(p.page.isCBR());
    p.page.switchToCRF();
    p.page.switchToABR();
    EXPECT_EQ(p.page.bitrateStr(), XStr("800k"));

    CommonPage fresh;
    fresh.roundTrip("-b:v 1200k");
    fresh.page.switchToCRF();
    fresh.page.switchToCBR();
    EXPECT_EQ(fresh.page.constantBitrateStr(), XStr("1M")) << "1200k never became the last";
}
