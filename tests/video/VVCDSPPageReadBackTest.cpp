// Stored and hand-written texts read into the pages: what each page makes of them, seen in
// the text it then writes and in the control that shows the setting. (The texts the pages
// write themselves are read back with the settings that made them.)
#include <gtest/gtest.h>

#include "DSPPageTestSupport.h"

namespace {

struct ReadBackCase {
    const char* effect;
    const char* stored;
    const char* written;
    const char* control = nullptr;
    const char* shown = nullptr;
};

void PrintTo(const ReadBackCase& c, std::ostream* out) {
    *out << c.effect << " reading " << c.stored;
}

class EffectReadBack : public ::testing::TestWithParam<ReadBackCase> {};

const ReadBackCase kCases[] = {
    // Any size that is no preset is custom; FFmpeg's "keep the aspect ratio" survives.
    {"Scale Absolute", "-vf scale=-2:720", "-vf scale=-2:720", "custom", "on"},
    {"Scale Absolute", "-vf scale=1:2:3", "-vf scale=1920:1080", "custom", "on"},
    {"Scale Maximum", "", "-vf \"scale='min(1920,iw):min(1080,ih)'\"", "preserve-aspect", "off"},
    {"Scale Maximum",
     "-vf \"scale='min(1000,iw):min(500,ih)':force_original_aspect_ratio=decrease\"",
     "-vf \"scale='min(1000,iw):min(500,ih)':force_original_aspect_ratio=decrease\"", "custom",
     "on"},
    {"Scale Maximum", "-vf \"scale='min(1280,iw):min(720,ih)'\"",
     "-vf \"scale='min(1280,iw):min(720,ih)'\"", "custom", "off"},
    // A zero percentage is no percentage.
    {"Scale Percentage", "-filter:v \"scale=iw*(0/100):ih*(75/100)\"",
     "-filter:v \"scale=iw*(50/100):ih*(75/100)\""},
    {"Crop", "-vf crop=1:2:3", "-vf crop=1024:768:0:0"},
    {"Crop", "-vf crop=10:20:-3:4", "-vf crop=10:20:-3:4"},
    // An unknown position keeps the size but not the position.
    {"Canvas Size", "-vf \"scale=iw:ih,pad=800:600:5:5\"", "-vf \"scale=iw:ih,pad=800:600:0:0\""},
    {"Canvas Size", "-vf \"scale=iw:ih,pad=800:600:ow-iw:oh-ih\"",
     "-vf \"scale=iw:ih,pad=800:600:ow-iw:oh-ih\"", "position", "Right Bottom"},
    {"Canvas Size", "-vf \"scale=iw:ih,pad=800\"", "-vf \"scale=iw:ih,pad=1920:1080:0:0\""},
    {"Aspect Ratio", "-aspect 99:1", "-aspect 4:3"},
    {"Aspect Ratio", "-aspect 21:9", "-aspect 21:9", "preset", "21:9 (ultra wide)"},
    {"Rotate", "-vf rotate='-45*PI/180'", "-vf rotate='-45*PI/180'", "angle",
     "-45 degrees | -45 degrees"},
    {"Flip", "-vf  hflip", "-vf vflip"},
    {"Brightness & Contrast", "-vf eq=\"brightness=-0.5:contrast=2\"",
     "-vf eq=\"brightness=-0.50:contrast=2.00\"", "contrast", "2.00 | Contrast: 2.00"},
    {"Hue & Saturation", "-vf hue='h=120:s=2.25'", "-vf hue='h=120:s=2.2'"},
    {"Sharpen & Blur", "-vf \"unsharp=luma_amount=-1.5:chroma_amount=0\"",
     "-vf \"unsharp=luma_amount=-1.5:chroma_amount=-1.5\"", "amount", "Blur 1.5 | Blur 1.5"},
    {"Sharpen & Blur", "", "-vf \"unsharp=luma_amount=0.0:chroma_amount=0.0\"", "amount",
     "Sharpen 0.0 | Sharpen 0.0"},
    // Within 0.1 of an entry, else the next entry up, else the first.
    {"Denoiser (High Precision 3D)",
     "-vf hqdn3d='luma_spatial=4.05:chroma_spatial=11:luma_tmp=150'",
     "-vf hqdn3d='luma_spatial=4:chroma_spatial=12:luma_tmp=0.2'", "chroma-spatial",
     "12 | Chroma Spatial 12"},
    {"Denoiser (High Precision 3D)",
     "-vf hqdn3d='luma_spatial=0.4:chroma_spatial=0.4:luma_tmp=0.4'",
     "-vf hqdn3d='luma_spatial=0.4:chroma_spatial=0.4:luma_tmp=0.4'", "luma-spatial",
     "0.4 | Luma Spatial 0.4"},
    {"Denoiser (Spatial Denoiser)", "-vf removegrain='m0=1'",
     "-vf removegrain='m0=3:m1=2:m2=2:m3=3'"},
    {"Denoiser (Wavelet)", "-vf vaguedenoiser='threshold=2.5:method=HARD:nsteps=3'",
     "-vf vaguedenoiser='threshold=2.5:method=hard:nsteps=3:planes=0:percent=0'", "method", "Hard"},
    // No method: none is written and FFmpeg's own applies.
    {"Denoiser (Wavelet)", "-vf vaguedenoiser='threshold=2:nsteps=3:planes=2:percent=10'",
     "-vf vaguedenoiser='threshold=2.0:nsteps=3:planes=2:percent=10'", "method", ""},
    {"Deinterlace (yadif)", "-vf yadif='mode=1:parity=-1:deint=1'",
     "-vf yadif='mode=1:parity=-1:deint=1'", "parity", "Automatic"},
    {"Deinterlace (yadif)", "-vf yadif='mode=0:parity=1:deint=0'",
     "-vf yadif='mode=0:parity=1:deint=0'", "parity", "Bottom field first"},
    {"Pixel Format", "-pix_fmt", "-pix_fmt ", "format", ""},
    {"Pixel Format", "-pix_fmt nv12", "-pix_fmt nv12", "format", "nv12"},
    {"Pixel Format", "-vf x", "-pix_fmt rgb24", "format", "rgb24"},
    // A path with a blank is quoted in the text and read without the quotes.
    {"Watermark", "-i \"/tmp/a b.png\" -filter_complex overlay=0:main_h-overlay_h",
     "-i \"/tmp/a b.png\" -filter_complex overlay=0:main_h-overlay_h", "image", "/tmp/a b.png"},
    {"Watermark", "-filter_complex overlay=1:1", "-filter_complex overlay=0:0", "position",
     "Top Left"},
    {"Frame Rate", "-r 99", "-r 24000/1001"},
    {"Audio Resample", "-ar 22050", "-ar 22050", "preset", "22050 Hz"},
    {"Cut", "-ss 00:00:01.5", "-ss 00:00:01.500", "start", "1.500"},
    {"Cut", "-ss 0:0:1.05 -t 1:00:00", "-ss 00:00:01.050 -t 01:00:00", "set-length", "on"},
    // A malformed time is minus one second, which cuts nothing.
    {"Cut", "-ss nonsense", "-ss 00:00:00", "set-start", "on"},
    {"Loop", "-c:v x", "-loopvideo=1"},
    {"Loop", "-loopvideo=4", "-loopvideo=4", "count", "4"},
    {"Speed Adjust", "-vf setpts='0.25*PTS'", "-vf setpts='0.250000*PTS'", "speed",
     "Picture plays at 4.00 times its speed"},
    {"Audio Bitrate", "-b:a 100k", "-b:a 112k", "bitrate", "112 kbps | 112 kbps"},
    {"Audio Bitrate", "-b:a 1000k", "-b:a 448k"},
    {"Audio Bitrate", "-b:a 1m", "-b:a 448k"},
    {"Audio Bitrate", "-b:a 64000", "-b:a 64k"},
    {"Audio Bitrate", "-b:a 129k", "-b:a 144k"},
    {"Audio Bitrate", "-c:a aac", "-b:a 128k"},
    {"[Custom]", "-vf  negate ", "-vf  negate "},
    {"Multi-CPU Force", "-threads 4 -vantaro_thread_count 2", "-threads 4 -vantaro_thread_count 2"},
    {"Multi-CPU Force", "-threads 4", "-threads 4 -vantaro_thread_count 1", "encoders", "1"},
    {"Multi-CPU Force", "", "-vantaro_thread_count 1", "threads", "1 (disabled)"},
    {"Reverse", "-vf hflip", "-vf reverse -af areverse"},
    {"Delete Source File", "-y", ""},
};

}  // namespace

TEST_P(EffectReadBack, ReadsWhatTheMarkersAllow) {
    const ReadBackCase& c = GetParam();
    auto page = storedEffect(c.effect, c.stored);
    ASSERT_NE(page, nullptr) << c.effect;
    EXPECT_EQ(page->dspArgs(), XStr(c.written));
    if (c.control != nullptr) {
        EXPECT_EQ(shownValue(*page, c.control), XStr(c.shown));
    }
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EffectReadBack, ::testing::ValuesIn(kCases));
