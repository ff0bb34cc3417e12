#include <gtest/gtest.h>

#include "EncoderPageTestSupport.h"
#include "VVCEncoderPageApple.h"
#include "VVCEncoderPageCustom.h"
#include "VVCEncoderPageVP8.h"
#include "VVCEncoderPageVP9.h"

namespace {

// A user action and the whole text the host holds after it.
struct Step {
    const char* id;
    const char* value;
    const char* text;
};

void play(OpenedPage& page, std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
        EXPECT_EQ(page.set(step.id, step.value), XStr(step.text)) << step.id << "=" << step.value;
    }
}

}  // namespace

TEST(VVCEncoderPageVP8, RateControlAndReadBack) {
    OpenedPage webm("WebM (VP8)");
    EXPECT_EQ(webm.shown("rate-control"), XStr("Constant quality (CRF)"));
    play(webm, {{"rate-control", "Average bitrate", "-acodec libopus -c:v libvpx -b:v 1M"},
                {"quality", "5 mbps", "-acodec libopus -c:v libvpx -b:v 5M"},
                {"rate-control", "Constant bitrate",
                 "-acodec libopus -c:v libvpx -b:v 5M -minrate 5M -maxrate 5M"},
                {"rate-control", "2", "-acodec libopus -c:v libvpx -crf 24"}});
    XStr error;
    EXPECT_FALSE(webm.page->setControl("rate-control", "Lossless", &error)) << "not offered";

    struct Row {
        const char* stored;
        unsigned modeIndex;
    };
    for (const Row& row :
         {Row{"-c:v libvpx -b:v 1M", 0}, Row{"-c:v libvpx -b:v 1M -minrate 1M -maxrate 1M", 1},
          Row{"-c:v libvpx -crf 0", 2}, Row{"-c:v libvpx -qscale 3", 2}}) {
        OpenedPage page("WebM (VP8)", row.stored);
        auto* vp8 = dynamic_cast<VVCEncoderPageVP8*>(page.page.get());
        ASSERT_NE(vp8, nullptr);
        EXPECT_EQ(vp8->modeIndex(), row.modeIndex) << row.stored;
    }
}

TEST(VVCEncoderPageVP9, DeadlineLosslessAndReadBack) {
    OpenedPage webm("WebM (VP9)");
    play(webm,
         {{"deadline", "Best", " -acodec libopus -c:v libvpx-vp9 -crf 24 -deadline best"},
          {"rate-control", "Lossless", " -acodec libopus -c:v libvpx-vp9 -crf 0 -deadline best"},
          {"deadline", "Realtime", " -acodec libopus -c:v libvpx-vp9 -crf 0 -deadline realtime"},
          {"deadline", "None", " -acodec libopus -c:v libvpx-vp9 -crf 0 "}});

    OpenedPage mkv("Matroska (VP9)", " -acodec copy -c:v libvpx-vp9 -crf 0 -deadline good");
    auto* vp9 = dynamic_cast<VVCEncoderPageVP9*>(mkv.page.get());
    ASSERT_NE(vp9, nullptr);
    EXPECT_EQ(vp9->modeIndex(), 3u);
    EXPECT_EQ(vp9->qModeIndex(), 0u) << "an unknown deadline reads as none";
    EXPECT_EQ(vp9->audioOptionIndex(), 2u);
    EXPECT_EQ(mkv.set("audio", "Audio Stream: Re-encode to Opus"),
              XStr(" -acodec libopus -c:v libvpx-vp9 -crf 0 "));
    vp9->setEncoderArgs(" -acodec copy -c:v libvpx-vp9 -qscale 2 -deadline realtime");
    EXPECT_EQ(vp9->modeIndex(), 3u) << "qscale keeps the choice";
    EXPECT_EQ(vp9->qModeIndex(), 2u);
}

TEST(VVCEncoderPageApple, AverageBitrateByDefaultWithTheCodecOfTheRow) {
    OpenedPage mp4("MP4 (Apple H264)");
    EXPECT_EQ(mp4.control("quality").valueText, XStr("Average bitrate: 1 mbps"));
    play(mp4,
         {{"quality", "1.5 Mbps", "-c:v h264_videotoolbox -allow_sw 1 -b:v 1.5M -acodec aac_at"},
          {"audio", "1", "-c:v h264_videotoolbox -allow_sw 1 -b:v 1.5M -acodec copy"}});

    OpenedPage mkv("Matroska (Apple H265)",
                   "-c:v hevc_videotoolbox -allow_sw 1 -b:v 4M -minrate 4M -maxrate 4M "
                   "-acodec libopus");
    EXPECT_EQ(mkv.control("quality").valueText, XStr("Constant bitrate: 4 mbps"));
    EXPECT_EQ(mkv.set("quality", "5M"),
              XStr("-c:v hevc_videotoolbox -allow_sw 1 -b:v 5M -minrate 5M -maxrate 5M "
                   "-acodec libopus"));
    auto* apple = dynamic_cast<VVCEncoderPageApple*>(mkv.page.get());
    ASSERT_NE(apple, nullptr);
    EXPECT_TRUE(apple->codecLogo().endsWith("/logos/codec-H265.png"));
}

TEST(VVCEncoderPageRemux, CopiesVideoAndReadsOnlyTheAudioChoice) {
    OpenedPage mp4("MP4 (copy, no encoding)");
    EXPECT_EQ(mp4.set("audio", "1"), XStr("-vcodec copy -acodec copy"));
    OpenedPage stored("Matroska (copy, no encoding)", "-vcodec copy -acodec libopus");
    EXPECT_EQ(stored.host.writes(), 0);
    EXPECT_EQ(stored.shown("audio"), XStr("Audio Stream: Re-encode to Opus"));
}

TEST(VVCEncoderPageQScale, AVIAndFlashReadQScaleAndKeepTheSliderWithoutIt) {
    OpenedPage avi("AVI");
    EXPECT_EQ(avi.control("quality").valueText, XStr("Quality (qscale) 3"));
    play(avi, {{"quality", "0", " -f avi -qscale 0"}, {"quality", "10", " -f avi -qscale 10"}});

    OpenedPage flash("Flash Video", " -f flv -qscale 8");
    EXPECT_EQ(flash.control("quality").value, 2);
    flash.host.setEncoderArgs("-f flv");
    flash.page->viewDidLoad();
    EXPECT_EQ(flash.set("quality", flash.shown("quality")), XStr(" -f flv -qscale 8"))
        << "no qscale in the text: the slider stays";
}

TEST(VVCEncoderPageWMV, BitrateSliderOverTheTable) {
    OpenedPage wmv("WMV (Windows Media Video)");
    EXPECT_EQ(wmv.control("bitrate").valueText, XStr("Bitrate: 2 mbps"));
    play(wmv, {{"bitrate", "20 mbps", " -c:v wmv2 -c:a wmav2 -b:v 20M"},
               {"bitrate", "#1", " -c:v wmv2 -c:a wmav2 -b:v 200k"}});
    OpenedPage stored("WMV (Windows Media Video)", " -c:v wmv2 -c:a wmav2 -b:v 1.5M");
    EXPECT_EQ(stored.control("bitrate").value, 8);
    stored.host.setEncoderArgs(" -c:v wmv2 -b:v 1200k");
    stored.page->viewDidLoad();
    EXPECT_EQ(stored.control("bitrate").value, 8) << "not in the table: the slider stays";
}

TEST(VVCEncoderPage3GP, ChoicesAndReadBack) {
    OpenedPage page("3GP");
    EXPECT_EQ(page.control("video").items,
              (XStrList{"H263 (128x96)", "H263 (176x144)", "H263 (352x288)", "H263 (704x576)",
                        "H263 (1408x1152)", "H264"}));
    play(page, {{"video", "H263 (1408x1152)",
                 "-f 3gp -vcodec h263 -vf scale=1408x1152 -acodec amr_nb -ar 8000 -ac 1"},
                {"video", "H264", " -f 3gp -vcodec libx264 -acodec aac"}});

    struct Row {
        const char* stored;
        const char* shown;
    };
    // Each text is read by the same page in turn, so a text that names nothing known
    // leaves the choice of the text before.
    const Row rows[] = {
        {"-f 3gp -vcodec h263 -vf scale=352x288 -acodec amr_nb", "H263 (352x288)"},
        {"-f 3gp -vcodec h263 -vf scale=300x200 -acodec amr_nb", "H263 (352x288)"},
        {" -f 3gp -vcodec libx264 -acodec aac", "H264"},
        {"-f 3gp -vcodec h263 -vf crop=100:100", "H264"},
        {"-f 3gp -vcodec mpeg4 -vf scale=176x144", "H264"},
        {"-f 3gp -vcodec h263 -vf scale=176x144", "H263 (176x144)"},
    };
    OpenedPage reread("3GP", "-f 3gp");
    for (const Row& row : rows) {
        reread.host.setEncoderArgs(row.stored);
        reread.page->viewDidLoad();
        EXPECT_EQ(reread.shown("video"), XStr(row.shown)) << row.stored;
    }
}

TEST(VVCEncoderPageNoOptions, VOBAndGIFReplaceWhateverTheHostHeld) {
    OpenedPage vob("VOB", "-c:v mpeg2video -b:v 9M");
    EXPECT_EQ(vob.args(),
              XStr(" -f vob -vf scale=720:576:lanczos,smartblur=1.0:-0.4,"
                   "colormatrix=bt709:bt601,setdar=16/9,setsar=64/45 -target ntsc-dvd"));
    OpenedPage gif("GIF Animation", "-f gif -loop 0");
    EXPECT_EQ(gif.args(), XStr(" -f gif"));
    EXPECT_EQ(gif.host.writes(), 1);
    EXPECT_TRUE(gif.page->pageView().empty());
}

TEST(VVCEncoderPageCustom, EditsGoToTheHostAsTyped) {
    OpenedPage custom("[Custom FFmpeg settings]");
    EXPECT_EQ(custom.host.writes(), 0) << "nothing to fill in";
    EXPECT_EQ(custom.set("arguments", "-c:v mpeg4 -q:v 3 -vf \"scale=640:-2\""),
              XStr("-c:v mpeg4 -q:v 3 -vf \"scale=640:-2\""));
    custom.set("extension", ".avi");
    EXPECT_EQ(custom.host.encoderArgsV2(),
              (VAEncoderArgs{"-c:v mpeg4 -q:v 3 -vf \"scale=640:-2\"", ".avi", {}}));

    VMCEncoderArgsHost host(VAEncoderArgs{"-c:v ffv1", ".mkv", {{"k", "v"}}});
    VVCEncoderPageCustom page(&host);
    page.viewDidLoad();
    EXPECT_EQ(page.pageView()[0].text, XStr("-c:v ffv1"));
    EXPECT_EQ(page.pageView()[1].text, XStr(".mkv"));
    XStrList opened;
    page.setURLOpener([&opened](const XStr& url) { opened.push_back(url); });
    ASSERT_TRUE(page.setControl("help", ""));
    EXPECT_EQ(opened, XStrList{"https://ffmpeg.org/ffmpeg-codecs.html"});
    ASSERT_TRUE(page.setControl("extension", "mka"));
    EXPECT_EQ(host.encoderArgsV2(), (VAEncoderArgs{"-c:v ffv1", "mka", {{"k", "v"}}}));
}

TEST(VVCEncoderPageExtractAudio, StreamChoiceAndTheTwoBlanksAfterVn) {
    OpenedPage aac("Audio Extract (AAC)");
    EXPECT_EQ(aac.args(), XStr("-vn  -acodec copy -map 0:a:0"));
    EXPECT_EQ(aac.shown("note"),
              XStr("Note: AAC audio is extracted 1:1, the source file has to contain AAC audio."));
    OpenedPage mp3("Audio Extract (MP3)");
    EXPECT_EQ(mp3.shown("note"),
              XStr("Note: mp3 audio is extracted 1:1, the source file has to contain mp3 audio."));
    OpenedPage wav("Audio Extract (WAVE)");
    EXPECT_EQ(wav.set("stream", "Audio stream 2"), XStr("-vn  -map 0:a:1"));
    XStr error;
    EXPECT_FALSE(wav.page->setControl("note", "x", &error)) << "WAVE shows no note";

    struct Row {
        const char* stored;
        const char* shown;
    };
    for (const Row& row :
         {Row{"-vn -acodec copy -map 0:a:2", "Audio stream 3"},
          Row{"-vn -acodec copy", "Audio stream 1"}, Row{"-vn -map 0:v:1", "Audio stream 1"},
          Row{"-vn -map 0:a:11", "Audio stream 12"}}) {
        OpenedPage page("Audio Extract (AAC)", row.stored);
        EXPECT_EQ(page.shown("stream"), XStr(row.shown)) << row.stored;
        EXPECT_EQ(page.args(), XStr(row.stored)) << "read, not rewritten";
    }
}
