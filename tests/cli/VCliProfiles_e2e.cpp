// The profiles, the multi encoder and the settings store from the command line, with
// conversions of generated clips.
#include <gtest/gtest.h>

#include "CliE2E.h"

namespace {

class ProfilesE2E : public CliE2E {
protected:
    // Runs the program; its standard output, failing the test unless it exits with status.
    std::string run(const std::vector<std::string>& args, int status = 0) {
        CliProcess p;
        EXPECT_EQ(vantaro(args, p), status) << p.err;
        return p.out;
    }
    static int streams(const std::string& path, const std::string& kind) {
        return probeStreamCount(path, kind);
    }
};

}  // namespace

TEST_F(ProfilesE2E, OnAFreshMachineAClipIsCopiedIntoMp4) {
    const std::string clipPath = clip("clip.mov", 1);
    const std::string dry = run({"convert", "--dry-run", clipPath});
    EXPECT_NE(dry.find(" -vcodec copy "), std::string::npos) << dry;
    EXPECT_NE(run({"convert", clipPath}).find("Converted 1 file to MP4 (copy, no encoding)"),
              std::string::npos);
    EXPECT_EQ(probeValue(mDir.file("in/clip.mp4"), "v:0", "codec_name"), "h264");
    EXPECT_EQ(run({"profiles"}).find("* MP4 (copy, no encoding)\n") != std::string::npos, true);
}

TEST_F(ProfilesE2E, AUserProfileIsCreatedUsedForAConversionAndDeleted) {
    const std::string clipPath = clip("clip.mov", 1);
    const std::string out = mDir.file("small");
    CliProcess refused;
    EXPECT_EQ(vantaro({"profile", "create", "Small", "--encoder", "WebM (VP8)"}, refused), 1);
    EXPECT_EQ(refused.err,
              "vantaro: User profiles are turned off; turn them on with 'vantaro settings set "
              "vMCAllowProfiles 1'\n");

    run({"settings", "set", "vMCAllowProfiles", "1"});
    EXPECT_EQ(run({"profile", "create", "Small", "--encoder", "webm (vp8)", "--set", "quality=40",
                   "--effect", "Scale Absolute", "--set", "Scale Absolute.custom=on", "--set",
                   "Scale Absolute.width=80", "--set", "Scale Absolute.height=60", "-o", out}),
              "Created the profile 'Small \"WebM (VP8)\"'\n");
    // The same name again, or an encoder's name, is refused.
    for (const char* name : {"Small", "AVI"}) {
        CliProcess again;
        EXPECT_EQ(vantaro({"profile", "create", name, "--encoder", "WebM (VP8)"}, again), 1);
        EXPECT_EQ(again.err.rfind("vantaro: Please choose another profile name. '", 0), 0u)
            << again.err;
    }
    EXPECT_EQ(run({"profile", "show", "small"}),
              "Profile: Small \"WebM (VP8)\"\n"
              "Encoder: WebM (VP8)\n"
              "Arguments: -acodec libopus -c:v libvpx -crf 40\n"
              "Effects:\n"
              "  Scale Absolute: -vf scale=80:60\n"
              "Naming: into " +
                  out +
                  "\n"
                  "Active: no\n");
    run({"profile", "use", "Small"});
    EXPECT_NE(run({"profiles"}).find("\n* Small \"WebM (VP8)\"\n"), std::string::npos);

    // Without an encoder the active profile converts.
    run({"convert", clipPath});
    const std::string made = out + "/clip.webm";
    EXPECT_EQ(probeValue(made, "v:0", "codec_name"), "vp8");
    EXPECT_EQ(probeValue(made, "v:0", "width"), "80");

    EXPECT_EQ(run({"profile", "delete", "Small"}), "Deleted the profile 'Small \"WebM (VP8)\"'\n");
    const std::string listed = run({"profiles"});
    EXPECT_EQ(listed.find("Small"), std::string::npos) << listed;
    EXPECT_NE(listed.find("* MP4 (copy, no encoding)\n"), std::string::npos)
        << "the default is active again";
    CliProcess gone;
    EXPECT_EQ(vantaro({"settings", "get", "vMCCodec\\Small \"WebM (VP8)\"\\vMC_CLI"}, gone), 1);
    CliProcess encoders;
    EXPECT_EQ(vantaro({"profile", "delete", "AVI"}, encoders), 1);
}

TEST_F(ProfilesE2E, TheMultiEncoderConvertsEveryClipWithEachEncoder) {
    const std::string one = clip("one.mov", 1);
    const std::string two = clip("two.mov", 1.5);
    const std::string mp4 = mDir.file("mp4");
    const std::string webm = mDir.file("webm");
    run({"multi", "add", "MP4 (H264)", "--set", "quality=35", "--effect", "Audio Mute", "-o", mp4});
    run({"multi", "add", "WebM (VP8)", "--effect", "Scale Absolute", "--set",
         "Scale Absolute.custom=on", "--set", "Scale Absolute.width=96", "--set",
         "Scale Absolute.height=72", "-o", webm, "--template", "[origfilename] ([encoder])"});
    EXPECT_EQ(run({"multi", "list"}), "1. MP4 (H264), into " + mp4 +
                                          ", 1 effect\n"
                                          "   Arguments: -c:v libx264 -crf 35 -acodec aac_at\n"
                                          "   Effect Audio Mute: -frames:a 0\n"
                                          "2. WebM (VP8), as " +
                                          webm +
                                          "/[origfilename] ([encoder]), 1 effect\n"
                                          "   Arguments: -acodec libopus -c:v libvpx -crf 24\n"
                                          "   Effect Scale Absolute: -vf scale=96:72\n");

    const std::string summary =
        run({"convert", "--profile", "[Multi Encoder]", "--json", one, two});
    EXPECT_NE(summary.find("\"jobs\":4,\"succeeded\":4"), std::string::npos) << summary;
    for (const char* name : {"one", "two"}) {
        const std::string m = mp4 + "/" + name + ".mp4";
        EXPECT_EQ(probeValue(m, "v:0", "codec_name"), "h264") << m;
        EXPECT_EQ(streams(m, "a"), 0) << "the mp4 entry's own effect";
        EXPECT_EQ(probeValue(m, "v:0", "width"), "320");
        const std::string w = webm + "/" + name + " (WebM (VP8)).webm";
        EXPECT_EQ(probeValue(w, "v:0", "codec_name"), "vp8") << w;
        EXPECT_EQ(probeValue(w, "v:0", "width"), "96") << "the webm entry's own effect";
        EXPECT_EQ(streams(w, "a"), 1);
    }

    EXPECT_EQ(run({"multi", "remove", "1"}), "Removed 1. MP4 (H264), into " + mp4 + ", 1 effect\n");
    EXPECT_EQ(run({"multi", "list"}).rfind("1. WebM (VP8), as ", 0), 0u);
}

TEST_F(ProfilesE2E, ChangesOnTheLineAreKeptOnlyWithSave) {
    const std::string clipPath = clip("clip.mov", 1);
    run({"convert", "--profile", "WebM (VP8)", "--set", "quality=50", "-o", mDir.file("a"),
         clipPath});
    EXPECT_EQ(run({"settings", "get", "vMCCodec\\WebM (VP8)\\vMC_CLI"}, 1), "");
    run({"convert", "--profile", "WebM (VP8)", "--set", "quality=50", "-o", mDir.file("b"),
         "--save", clipPath});
    EXPECT_EQ(run({"settings", "get", "vMCCodec\\WebM (VP8)\\vMC_CLI"}),
              "-acodec libopus -c:v libvpx -crf 50\n");
    EXPECT_EQ(
        run({"profile", "show", "WebM (VP8)"}).find("Naming: into " + mDir.file("b") + "\n") !=
            std::string::npos,
        true);
    EXPECT_TRUE(fileExists(mDir.file("a/clip.webm")));
    EXPECT_TRUE(fileExists(mDir.file("b/clip.webm")));
}

TEST_F(ProfilesE2E, TwoProgramsEditingDifferentProfilesAtOnceLoseNeitherEdit) {
    for (int round = 0; round < 8; ++round) {
        const std::string q1 = std::to_string(20 + round);
        const std::string q2 = std::to_string(40 + round);
        CliProcess first;
        CliProcess second;
        ASSERT_TRUE(first.start({"profile", "set", "MP4 (H264)", "--set", "quality=" + q1}));
        ASSERT_TRUE(second.start({"profile", "set", "WebM (VP8)", "--set", "quality=" + q2}));
        ASSERT_EQ(first.wait(60000), 0) << first.err;
        ASSERT_EQ(second.wait(60000), 0) << second.err;
        EXPECT_EQ(run({"settings", "get", "vMCCodec\\MP4 (H264)\\vMC_CLI"}),
                  "-c:v libx264 -crf " + q1 + " -acodec aac_at\n");
        EXPECT_EQ(run({"settings", "get", "vMCCodec\\WebM (VP8)\\vMC_CLI"}),
                  "-acodec libopus -c:v libvpx -crf " + q2 + "\n");
    }
}

TEST_F(ProfilesE2E, SettingsAreReadAndWrittenByTheirPath) {
    run({"settings", "set", "UnitsTime", "2"});
    run({"settings", "set", "vMCFileNameChrReplace", "/-:_"});
    run({"settings", "set", "Plain", "12", "--string"});
    run({"settings", "set", "Deep\\Key\\Value", "x y"});
    EXPECT_EQ(run({"settings", "get", "UnitsTime"}), "2\n");
    EXPECT_EQ(run({"settings", "list"}),
              "Deep\\\n"
              "UnitsTime = 2\n"
              "vMCFileNameChrReplace = '/-:_'\n"
              "Plain = '12'\n");
    EXPECT_EQ(run({"settings", "list", "Deep\\Key"}), "Value = 'x y'\n");
    run({"settings", "delete", "UnitsTime"});
    CliProcess missing;
    EXPECT_EQ(vantaro({"settings", "get", "UnitsTime"}, missing), 1);
    EXPECT_EQ(missing.err, "vantaro: No setting 'UnitsTime'\n");
    CliProcess usage;
    EXPECT_EQ(vantaro({"settings", "set", "OnlyName"}, usage), 2);
    // The character rules reach the names of outputs.
    const std::string clipPath = clip("a:b.mov", 1);
    run({"convert", "-o", mDir.file("out"), "--template", "[origfilename]", clipPath});
    EXPECT_TRUE(fileExists(mDir.file("out/a_b.mp4")));
}
