// Every effect page driven through its controls: the whole text it writes, and a page that
// reads that text back shows the same settings.
#include <gtest/gtest.h>

#include "DSPPageTestSupport.h"

namespace {

struct SettingsCase {
    const char* effect;
    XStrList settings;
    const char* expected;
    // False where the text reads back as an equal but differently reached setting (a custom
    // size that is also a preset).
    bool sameControls = true;
};

void PrintTo(const SettingsCase& c, std::ostream* out) {
    *out << c.effect << " " << XStr::join(c.settings, ", ");
}

class EffectSettings : public ::testing::TestWithParam<SettingsCase> {};

const SettingsCase kCases[] = {
    // Geometry.
    {"Scale Absolute", {}, "-vf scale=1920:1080"},
    {"Scale Absolute", {"preset=1280 x 720 (HD 720p)"}, "-vf scale=1280:720"},
    {"Scale Absolute", {"custom=on", "width=642", "height=362"}, "-vf scale=642:362"},
    // The preset's size becomes the custom size to start from.
    {"Scale Absolute", {"preset=640 x 360 (360p, 16:9)", "custom=on"}, "-vf scale=640:360", false},
    {"Scale Maximum", {}, "-vf \"scale='min(1920,iw):min(1080,ih)'\""},
    {"Scale Maximum",
     {"preserve-aspect=on", "preset=1280 x 720 (HD 720p)"},
     "-vf \"scale='min(1280,iw):min(720,ih)':force_original_aspect_ratio=decrease\""},
    {"Scale Maximum",
     {"custom=on", "width=1000", "height=500"},
     "-vf \"scale='min(1000,iw):min(500,ih)'\""},
    {"Scale Percentage", {}, "-filter:v \"scale=iw*(50/100):ih*(50/100)\""},
    {"Scale Percentage",
     {"width=25", "height=200"},
     "-filter:v \"scale=iw*(25/100):ih*(200/100)\""},
    {"Crop", {}, "-vf crop=1024:768:0:0"},
    {"Crop", {"width=320", "height=200", "x=10", "y=20"}, "-vf crop=320:200:10:20"},
    {"Canvas Size", {}, "-vf \"scale=iw:ih,pad=1920:1080:0:0\""},
    {"Canvas Size", {"position=Top Center"}, "-vf \"scale=iw:ih,pad=1920:1080:(ow-iw)/2:0\""},
    {"Canvas Size",
     {"width=800", "height=600", "position=Centered"},
     "-vf \"scale=iw:ih,pad=800:600:(ow-iw)/2:(oh-ih)/2\""},
    {"Canvas Size", {"position=Right Middle"}, "-vf \"scale=iw:ih,pad=1920:1080:ow-iw:(oh-ih)/2\""},
    {"Canvas Size", {"position=Left Bottom"}, "-vf \"scale=iw:ih,pad=1920:1080:0:oh-ih\""},
    {"Canvas Size", {"position=Right Bottom"}, "-vf \"scale=iw:ih,pad=1920:1080:ow-iw:oh-ih\""},
    {"Aspect Ratio", {}, "-aspect 4:3"},
    {"Aspect Ratio", {"preset=16:9 (widescreen)"}, "-aspect 16:9"},
    {"Rotate", {}, "-vf rotate='0*PI/180'"},
    {"Rotate", {"angle=-90"}, "-vf rotate='-90*PI/180'"},
    {"Flip", {}, "-vf vflip"},
    {"Flip", {"direction=horizontal"}, "-vf hflip"},
    // Picture.
    {"Brightness & Contrast", {}, "-vf eq=\"brightness=0.00:contrast=1.00\""},
    {"Brightness & Contrast",
     {"brightness=0.25", "contrast=1.5"},
     "-vf eq=\"brightness=0.25:contrast=1.50\""},
    {"Brightness & Contrast", {"brightness=#1"}, "-vf eq=\"brightness=-1.00:contrast=1.00\""},
    {"Hue & Saturation", {}, "-vf hue='h=0:s=0.0'"},
    {"Hue & Saturation", {"hue=-45", "saturation=1.5"}, "-vf hue='h=-45:s=1.5'"},
    {"Sharpen & Blur", {}, "-vf \"unsharp=luma_amount=0.0:chroma_amount=0.0\""},
    {"Sharpen & Blur", {"amount=blur 1.5"}, "-vf \"unsharp=luma_amount=-1.5:chroma_amount=-1.5\""},
    {"Sharpen & Blur", {"amount=Sharpen 5"}, "-vf \"unsharp=luma_amount=5.0:chroma_amount=5.0\""},
    {"Denoiser (Wavelet)",
     {},
     "-vf vaguedenoiser='threshold=1.8:method=garrote:nsteps=6:planes=15:percent=85'"},
    {"Denoiser (Wavelet)",
     {"threshold=3", "method=Soft", "steps=4", "planes=1", "strength=50%"},
     "-vf vaguedenoiser='threshold=3.0:method=soft:nsteps=4:planes=1:percent=50'"},
    {"Denoiser (Spatial Denoiser)", {}, "-vf removegrain='m0=3:m1=2:m2=2:m3=3'"},
    {"Denoiser (Spatial Denoiser)", {"strength=Light"}, "-vf removegrain='m0=2:m1=1:m2=2:m3=3'"},
    {"Denoiser (Spatial Denoiser)", {"strength=Strong"}, "-vf removegrain='m0=7:m1=7:m2=5:m3=5'"},
    {"Denoiser (High Precision 3D)", {}, "-vf hqdn3d='luma_spatial=4:chroma_spatial=3:luma_tmp=6'"},
    {"Denoiser (High Precision 3D)",
     {"luma-spatial=0.2", "chroma-spatial=0.8", "luma-temporal=#29"},
     "-vf hqdn3d='luma_spatial=0.2:chroma_spatial=0.8:luma_tmp=100'"},
    {"Deinterlace (yadif)", {}, "-vf yadif='mode=0:parity=-1:deint=0'"},
    {"Deinterlace (yadif)",
     {"mode=1", "parity=Bottom field first", "frames=1"},
     "-vf yadif='mode=1:parity=1:deint=1'"},
    {"Deinterlace (yadif)", {"parity=Top field first"}, "-vf yadif='mode=0:parity=0:deint=0'"},
    {"Pixel Format", {}, "-pix_fmt rgb24"},
    {"Pixel Format", {"format=yuv422p"}, "-pix_fmt yuv422p"},
    {"Watermark", {}, "-filter_complex overlay=0:0"},
    {"Watermark",
     {"image=/tmp/my logo.png", "position=Right Bottom"},
     "-i \"/tmp/my logo.png\" -filter_complex overlay=main_w-overlay_w:main_h-overlay_h"},
    {"Watermark",
     {"image=/tmp/logo.png", "position=Centered"},
     "-i /tmp/logo.png -filter_complex overlay=(main_w-overlay_w)/2:(main_h-overlay_h)/2"},
    // Timing, audio and actions.
    {"Frame Rate", {}, "-r 24000/1001"},
    {"Frame Rate", {"preset=25 fps (PAL)"}, "-r 25"},
    {"Audio Normalize", {}, "-af loudnorm=I=-23:TP=-1:LRA=7,aformat=sample_rates=48000"},
    {"Audio Resample", {}, "-ar 48000"},
    {"Audio Resample", {"preset=8000 Hz (telephone)"}, "-ar 8000"},
    {"Audio Channel Count", {}, "-ac 2"},
    {"Audio Channel Count", {"preset=5.1 Surround (6 channels)"}, "-ac 6"},
    {"Cut", {}, ""},
    {"Cut",
     {"set-start=on", "start=90.5", "set-length=on", "length=10"},
     "-ss 00:01:30.500 -t 00:00:10"},
    {"Cut", {"set-length=on", "length=10"}, "-t 00:00:10"},
    {"Cut", {"set-start=on", "start=360000"}, "-ss 100:00:00"},
    {"Cut", {"set-start=on", "start=36000"}, "-ss 10:00:00"},
    {"Loop", {}, "-loopvideo=1"},
    {"Loop", {"count=3"}, "-loopvideo=3"},
    {"Reverse", {}, "-vf reverse -af areverse"},
    {"Speed Adjust", {}, "-vf setpts='0.500000*PTS'"},
    {"Speed Adjust", {"factor=2"}, "-vf setpts='2.000000*PTS'"},
    {"Audio Bitrate", {}, "-b:a 128k"},
    {"Audio Bitrate", {"bitrate=8 kbps"}, "-b:a 8k"},
    {"Audio Bitrate", {"bitrate=448k"}, "-b:a 448k"},
    {"Audio Mute", {}, "-frames:a 0"},
    {"[Custom]", {}, ""},
    {"[Custom]", {"arguments=-vf \"negate\"  -an"}, "-vf \"negate\"  -an"},
    {"Delete Source File", {}, ""},
    {"Preserve Source Attributes", {}, ""},
    {"Multi-CPU Force", {}, "-vantaro_thread_count 1"},
    {"Multi-CPU Force",
     {"encoders=3", "limit-threads=on", "threads=2"},
     "-threads 2 -vantaro_thread_count 3"},
};

}  // namespace

TEST_P(EffectSettings, WritesTheTextAndReadsItBack) {
    const SettingsCase& c = GetParam();
    auto page = newEffect(c.effect);
    ASSERT_NE(page, nullptr) << c.effect;
    ASSERT_EQ(applySettings(*page, c.settings), "");
    EXPECT_EQ(page->dspArgs(), XStr(c.expected));

    auto stored = storedEffect(c.effect, page->dspArgs());
    EXPECT_EQ(stored->dspArgs(), XStr(c.expected));
    if (c.sameControls) {
        EXPECT_EQ(shownValues(*stored), shownValues(*page));
    }
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EffectSettings, ::testing::ValuesIn(kCases));

// Settings a page refuses; the text stays as it was.
TEST(EffectSettings, RefusedSettingsLeaveTheText) {
    const struct {
        const char* effect;
        XStrList before;
        XStr setting;
    } cases[] = {
        {"Scale Absolute", {}, "width=640"},             // custom is off
        {"Scale Maximum", {}, "height=100"},             // custom is off
        {"Cut", {}, "start=12"},                         // no start set
        {"Multi-CPU Force", {}, "threads=2"},            // no limit set
        {"Crop", {}, "width=0"},                         // below the range
        {"Audio Bitrate", {}, "bitrate=#21"},            // beyond the table
        {"Audio Bitrate", {}, "bitrate=100k"},           // not a step
        {"Brightness & Contrast", {}, "brightness=25"},  // a position, not a value
        {"Frame Rate", {}, "preset=31 fps"},             // not a preset
        {"Flip", {}, "direction=diagonal"},              // not a choice
        {"Loop", {}, "count=two"},                       // not a number
        {"Cut", {"set-length=on"}, "length=-1"},         // below the range
        {"Audio Mute", {}, "description=loud"},          // a label
        {"Reverse", {}, "speed=2"},                      // no such control
    };
    for (const auto& c : cases) {
        auto page = newEffect(c.effect);
        ASSERT_EQ(applySettings(*page, c.before), "");
        const XStr before = page->dspArgs();
        XStr error;
        EXPECT_FALSE(page->setControl(c.setting.left(c.setting.find(U'=')),
                                      c.setting.substr(c.setting.find(U'=') + 1), &error))
            << c.effect << " " << c.setting;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(page->dspArgs(), before) << c.effect;
    }
}
