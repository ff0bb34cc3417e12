#include "VMCCodecMap.h"

#include <gtest/gtest.h>

namespace {

const std::set<XStr> kDebian = {"libx264",  "libx265",    "aac",        "h264_nvenc",
                                "h264_qsv", "h264_vaapi", "hevc_nvenc", "libopus"};

VMCCodecMap::Trial trialsThatWork(std::set<XStr> working, XStrList* tried = nullptr) {
    return [working, tried](const XStr& encoder) {
        if (tried != nullptr) {
            tried->push_back(encoder);
        }
        return working.count(encoder) != 0;
    };
}

}  // namespace

TEST(VMCCodecMap, ListedNamesAndUnknownOnesStayWordForWord) {
    XStrList info;
    // Nothing to replace: the text is not even rewritten.
    const XStr text = "-c:v   libx264 -vf \"a, b\"";
    EXPECT_EQ(VMCCodecMap::rewrite(text, kDebian, trialsThatWork({}), info), text);
    EXPECT_EQ(VMCCodecMap::rewrite("-c:v mystery", kDebian, trialsThatWork({}), info),
              XStr("-c:v mystery"));
    EXPECT_TRUE(info.empty());
}

TEST(VMCCodecMap, PlatformAacBecomesAacWithOneInfoLine) {
    XStrList info;
    EXPECT_EQ(VMCCodecMap::rewrite("-c:v libx264 -crf 24 -acodec aac_at", kDebian,
                                   trialsThatWork({}), info),
              XStr("-c:v libx264 -crf 24 -acodec aac"));
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0], XStr("This FFmpeg has no encoder \"aac_at\"; using \"aac\""));
    // An FFmpeg that has the platform encoder keeps it.
    info.clear();
    EXPECT_EQ(VMCCodecMap::rewrite("-acodec aac_at", {"aac_at"}, trialsThatWork({}), info),
              XStr("-acodec aac_at"));
    EXPECT_TRUE(info.empty());
}

TEST(VMCCodecMap, HardwareH264NeedsASuccessfulTrialNotJustAListing) {
    XStrList info;
    XStrList tried;
    const XStr platform = "-c:v h264_videotoolbox -allow_sw 1 -b:v 1M -acodec aac_at";
    EXPECT_EQ(VMCCodecMap::rewrite(platform, kDebian, trialsThatWork({}, &tried), info),
              XStr("-c:v libx264 -b:v 1M -acodec aac"));
    EXPECT_EQ(tried, (XStrList{"h264_nvenc", "h264_qsv", "h264_vaapi"}));
    EXPECT_EQ(info.size(), 2u);

    info.clear();
    EXPECT_EQ(
        VMCCodecMap::rewrite(platform, kDebian, trialsThatWork({"h264_qsv", "h264_vaapi"}), info),
        XStr("-c:v h264_qsv -b:v 1M -acodec aac"));
    // A working encoder that is not listed is never tried.
    EXPECT_EQ(VMCCodecMap::targetFor("hevc_videotoolbox", kDebian, trialsThatWork({"hevc_qsv"})),
              XStr("libx265"));
    EXPECT_EQ(VMCCodecMap::targetFor("hevc_videotoolbox", kDebian, trialsThatWork({"hevc_nvenc"})),
              XStr("hevc_nvenc"));
}

TEST(VMCCodecMap, VaapiGetsItsDeviceAndUpload) {
    XStrList info;
    EXPECT_EQ(VMCCodecMap::rewrite("-vf scale=640:-2 -c:v h264_videotoolbox", kDebian,
                                   trialsThatWork({"h264_vaapi"}), info),
              XStr("-vaapi_device /dev/dri/renderD128 -vf \"scale=640:-2,format=nv12,hwupload\" "
                   "-c:v h264_vaapi"));
    EXPECT_EQ(
        VMCCodecMap::rewrite("-c:v h264_videotoolbox", kDebian, trialsThatWork({"h264_vaapi"}),
                             info),
        XStr("-vaapi_device /dev/dri/renderD128 -c:v h264_vaapi -vf \"format=nv12,hwupload\""));
}

TEST(VMCCodecMap, AmrFallsBackToAacWhenNoAmrEncoderIsListed) {
    EXPECT_EQ(VMCCodecMap::targetFor("amr_nb", kDebian, trialsThatWork({})), XStr("aac"));
    EXPECT_EQ(VMCCodecMap::targetFor("amr_nb", {"libopencore_amrnb"}, trialsThatWork({})),
              XStr("libopencore_amrnb"));
    XStrList info;
    EXPECT_EQ(VMCCodecMap::rewrite("-f 3gp -vcodec h263 -acodec amr_nb -ar 8000 -ac 1", kDebian,
                                   trialsThatWork({}), info),
              XStr("-f 3gp -vcodec h263 -acodec aac -ar 8000 -ac 1"));
}

TEST(VMCCodecMap, AllowSwIsKeptOnlyForThePlatformEncoder) {
    XStrList info;
    EXPECT_EQ(VMCCodecMap::rewrite("-c:v h264_videotoolbox -allow_sw 1", {"h264_videotoolbox"},
                                   trialsThatWork({}), info),
              XStr("-c:v h264_videotoolbox -allow_sw 1"));
    EXPECT_EQ(VMCCodecMap::rewrite("-c:v libx264 -allow_sw 1", kDebian, trialsThatWork({}), info),
              XStr("-c:v libx264"));
}
