// Conversions that take their encoder, effects and naming from a stored profile: the
// active one by default, changes for one run unless saved, and the multi encoder's one job
// per source and encoder.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VCliJobPlanner.h"
#include "VMCConfig.h"
#include "VMCMultiEncConfig.h"
#include "XRegistry.h"

namespace {

class ProfilePlan : public ::testing::Test {
protected:
    ProfilePlan() { XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo"); }

    std::string touch(const std::string& name) {
        const std::string path = mDir.file(name);
        writeTextFile(path, "data");
        return path;
    }
    VCliJobPlanner::Result plan(const std::vector<std::string>& files,
                                const std::function<void(VCliConvertOptions&)>& tweak = nullptr) {
        VCliConvertOptions options;
        for (const std::string& f : files) {
            options.files.push_back(XStr(f));
        }
        options.dryRun = true;
        if (tweak) {
            tweak(options);
        }
        return VCliJobPlanner(options).plan();
    }
    static XStrList destinations(const VCliJobPlanner::Result& r) {
        XStrList out;
        for (const VAConversionEntry& e : r.spec->entries) {
            out.push_back(e.urlTo);
        }
        return out;
    }
    static XStr stored(const char* profile, const char* value) {
        return XRegistry::GetString(
            value, XStr("HKCU"), XStr("Software\\Quillmere\\VantaroVideo\\vMCCodec\\") + profile);
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
};

}  // namespace

TEST_F(ProfilePlan, WithoutAnEncoderTheActiveProfileConverts) {
    const std::string a = touch("a.mov");
    auto r = plan({a});
    ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
    EXPECT_EQ(r.spec->Encoder->name, "MP4 (copy, no encoding)");
    EXPECT_TRUE(r.spec->EncoderArgsV2.strArgs.startsWith("-vcodec copy"))
        << "a profile never saved converts with its page's defaults";
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("a.mp4")});
    EXPECT_FALSE(XRegistry::KeyExists(XStr("HKCU"), XStr(VMCProfile::kCodecKey)))
        << "nothing is saved";

    XRegistry::SetString("vMCLastCodec", "WebM (VP8)");
    r = plan({a});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.spec->Encoder->name, "WebM (VP8)");
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("a.webm")});
}

TEST_F(ProfilePlan, ChangesOnTheLineHoldForOneRunUnlessSaved) {
    const std::string a = touch("a.mov");
    for (const bool save : {false, true}) {
        const auto r = plan({a}, [&](VCliConvertOptions& o) {
            o.profile = XStr("webm (vp8)");
            o.settings = {"quality=30"};
            o.effectNames = {"Audio Mute"};
            o.naming.outputDir = mDir.xfile("out");
            o.save = save;
        });
        ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
        EXPECT_EQ(r.spec->EncoderArgsV2.strArgs, "-acodec libopus -c:v libvpx -crf 30");
        ASSERT_EQ(r.spec->dspEffects.size(), 1u);
        EXPECT_EQ(destinations(r), XStrList{mDir.xfile("out/a.webm")});
        EXPECT_EQ(stored("WebM (VP8)", "vMC_CLI"),
                  save ? "-acodec libopus -c:v libvpx -crf 30" : "");
        EXPECT_EQ(stored("WebM (VP8)", "VMCUserFolderStr"), save ? mDir.xfile("out") : XStr());
    }
    // What was saved is the profile's from now on; --effects "" empties its chain for a run.
    const auto r = plan({a}, [&](VCliConvertOptions& o) {
        o.profile = XStr("WebM (VP8)");
        o.effectsGiven = true;
    });
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.spec->dspEffects.empty());
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("out/a.webm")});
}

TEST_F(ProfilePlan, TheMultiEncoderPlansEachEncoderForEachSource) {
    VMCMultiEncConfig multi = VMCMultiEncConfig::fromString(
        "-enc1=\"MP4 (H264)=-c:v libx264 -crf 30\" -encMopt1=\"-tofolder=" + mDir.xfile("mp4") +
        "\" -enc2=\"WebM (VP8)=-c:v libvpx\" -encMopt2=\"-tofolder=" + mDir.xfile("webm") +
        " -dynamic={mqt}[origfilename] [encoder]{mqt}\" -encDSP2=\"-dspeffect1={mqt}Audio "
        "Mute=-an{mqt}\" -nomulti");
    ASSERT_EQ(multi.entries().size(), 2u);
    XRegistry::SetString("vMC_CLI", multi.toString(), XStr("HKCU"),
                         XStr("Software\\Quillmere\\VantaroVideo\\vMCCodec\\[Multi Encoder]"));
    const std::string a = touch("a.mov");
    const std::string b = touch("b.mov");
    const auto r = plan({a, b}, [](VCliConvertOptions& o) { o.profile = XStr("[Multi Encoder]"); });
    ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
    EXPECT_EQ(destinations(r),
              (XStrList{mDir.xfile("mp4/a.mp4"), mDir.xfile("webm/a WebM (VP8).webm"),
                        mDir.xfile("mp4/b.mp4"), mDir.xfile("webm/b WebM (VP8).webm")}));
    EXPECT_EQ(r.spec->Encoder->name, "[Multi Encoder]");
    EXPECT_FALSE(r.spec->multiCPU);
    ASSERT_EQ(r.spec->entries.size(), 4u);
    EXPECT_EQ(r.spec->entries[1].multiEncData->encoder.name, "WebM (VP8)");
    EXPECT_EQ(r.spec->entries[1].multiEncData->encoderArgsV2.strArgs, "-c:v libvpx");
    EXPECT_EQ(r.spec->entries[1].multiEncData->dspEffects.size(), 1u);
    EXPECT_EQ(r.spec->entries[2].convertFrom->urlPerceived, XStr(b));
}

TEST_F(ProfilePlan, ProfileMistakesAreUsageErrors) {
    const std::string a = touch("a.mov");
    XRegistry::SetString("vMC_CLI", "-c copy", XStr("HKCU"),
                         XStr("Software\\Quillmere\\VantaroVideo\\vMCCodec\\[Custom FFmpeg "
                              "settings]"));
    struct Case {
        const char* profile;
        const char* start;
    };
    const Case cases[] = {
        {"Nothing Like It", "No profile 'Nothing Like It'. The profiles are:\n  3GP\n"},
        {"[Multi Encoder]",
         "The profile '[Multi Encoder]' has no encoders; add them with 'vantaro multi add "
         "ENCODER'"},
        {"[custom ffmpeg settings]",
         "The encoder '[Custom FFmpeg settings]' of the profile '[Custom FFmpeg settings]' "
         "needs the extension of its outputs: give --ext .EXT"},
    };
    for (const Case& c : cases) {
        const auto r = plan({a}, [&](VCliConvertOptions& o) { o.profile = XStr(c.profile); });
        EXPECT_EQ(r.exitCode, 2) << c.profile;
        ASSERT_EQ(r.messages.size(), 1u) << c.profile;
        EXPECT_EQ(r.messages[0].rfind(c.start, 0), 0u) << r.messages[0];
    }
    const auto custom = plan({a}, [&](VCliConvertOptions& o) {
        o.profile = XStr("[Custom FFmpeg settings]");
        o.ext = XStr(".mkv");
    });
    ASSERT_EQ(custom.exitCode, 0);
    EXPECT_EQ(destinations(custom), XStrList{mDir.xfile("a.mkv")});
}
