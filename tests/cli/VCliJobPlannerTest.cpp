// Sources, destinations and the refusals that keep files from being overwritten unasked.
#include "VCliJobPlanner.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"
#include "VAConvertSourceConcat.h"

namespace {

class Planner : public ::testing::Test {
protected:
    std::string touch(const std::string& name, const std::string& content = "data") {
        const std::string path = mDir.file(name);
        writeTextFile(path, content);
        return path;
    }
    void folder(const std::string& name) { ASSERT_EQ(mkdir(mDir.file(name).c_str(), 0755), 0); }

    VCliJobPlanner::Result plan(std::vector<std::string> files,
                                const std::function<void(VCliConvertOptions&)>& tweak = nullptr) {
        VCliConvertOptions options;
        for (const std::string& f : files) {
            options.files.push_back(XStr(f));
        }
        // Typed encoder arguments unless a test asks for a profile.
        options.encoderArgsGiven = true;
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

    TestTempDir mDir;
    // The character rules of naming come from the settings store: an empty one here.
    TestTempDir mStoreDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mStoreDir.file("XRegistry").c_str()};
};

}  // namespace

TEST_F(Planner, TypedArgumentsWriteMp4BesideTheSources) {
    const std::string a = touch("a.mov", "12345");
    const std::string b = touch("b.avi", "123");
    const auto r = plan({a, b});
    ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
    EXPECT_EQ(destinations(r), (XStrList{mDir.xfile("a.mp4"), mDir.xfile("b.mp4")}));
    EXPECT_EQ(r.spec->entries[0].sourceSizeBytes, 5u);
    EXPECT_EQ(r.spec->entries[1].sourceSizeBytes, 3u);
    EXPECT_FALSE(r.spec->entries[0].justCopy);
    ASSERT_TRUE(r.spec->Encoder.has_value());
    EXPECT_EQ(r.spec->Encoder->name, "[Custom FFmpeg settings]");
    EXPECT_EQ(r.spec->EncoderArgsV2.customFormatExt, ".mp4");
}

TEST_F(Planner, EncoderArgumentsExtensionAndEffectsGoIntoTheConversion) {
    const std::string a = touch("a.mov");
    const auto r = plan({a}, [](VCliConvertOptions& o) {
        o.encoderArgs = "-c:v libx264 -crf 23";
        o.ext = XStr(".mkv");
        o.effects = "-dspeffect1=\"Scale=-vf scale=640:-2\"";
    });
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.spec->EncoderArgsV2.strArgs, "-c:v libx264 -crf 23");
    EXPECT_EQ(r.spec->EncoderArgsV2.customFormatExt, ".mkv");
    ASSERT_EQ(r.spec->dspEffects.size(), 1u);
    EXPECT_EQ(r.spec->dspEffects[0].name, "Scale");
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("a.mkv")});
}

TEST_F(Planner, RelativePathsBecomeAbsolute) {
    touch("rel.mov");
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(mDir.path().c_str()), 0);
    const auto r =
        plan({"./rel.mov"}, [](VCliConvertOptions& o) { o.naming.outputDir = XStr("out/"); });
    ASSERT_EQ(chdir(old), 0);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.spec->entries[0].convertFrom->urlForConversion, mDir.xfile("rel.mov"));
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("out/rel.mp4")});
}

TEST_F(Planner, OutputFolderIsMadeWhenMissingButNotInADryRun) {
    const std::string a = touch("a.mov");
    auto r = plan({a}, [&](VCliConvertOptions& o) {
        o.naming.outputDir = mDir.xfile("x/y");
        o.dryRun = true;
    });
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_FALSE(fileExists(mDir.file("x")));
    r = plan({a}, [&](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile("x/y"); });
    ASSERT_EQ(r.exitCode, 0);
    struct stat st {};
    ASSERT_EQ(stat(mDir.file("x/y").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("x/y/a.mp4")});
}

TEST_F(Planner, OutputFolderWithoutWritePermissionIsRefused) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    const std::string a = touch("a.mov");
    folder("ro");
    chmod(mDir.file("ro").c_str(), 0555);
    const auto r = plan({a}, [&](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile("ro"); });
    chmod(mDir.file("ro").c_str(), 0755);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Cannot write to output folder '" +
                                                   mDir.file("ro") + "': Permission denied"});
}

TEST_F(Planner, FolderStandsForItsVisibleRegularFilesSortedByName) {
    folder("in");
    touch("in/b.mov");
    touch("in/a.mov");
    touch("in/C.mov");
    touch("in/.hidden.mov");
    folder("in/sub");
    touch("in/sub/deep.mov");
    ASSERT_EQ(symlink("/nonexistent/target", mDir.file("in/dangling.mov").c_str()), 0);
    const auto r = plan({mDir.file("in") + "/"},
                        [&](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile("out"); });
    ASSERT_EQ(r.exitCode, 0) << r.messages[0];
    EXPECT_EQ(destinations(r), (XStrList{mDir.xfile("out/C.mp4"), mDir.xfile("out/a.mp4"),
                                         mDir.xfile("out/b.mp4")}));
}

TEST_F(Planner, UnreadableFolderGivesTheReason) {
    folder("in");
    VCliConvertOptions options;
    options.files = {mDir.xfile("in")};
    VCliJobPlanner planner(options);
    planner.setFolderLister([](const std::string&, std::vector<std::string>&, int& error) {
        error = EACCES;
        return false;
    });
    const auto r = planner.plan();
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Cannot read folder '" + mDir.file("in") +
                                                   "': Permission denied"});
}

TEST_F(Planner, UnreadableFolderForReal) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    folder("in");
    chmod(mDir.file("in").c_str(), 0);
    const auto r = plan({mDir.file("in")});
    chmod(mDir.file("in").c_str(), 0755);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Cannot read folder '" + mDir.file("in") +
                                                   "': Permission denied"});
}

TEST_F(Planner, EmptyFolderPlansNothing) {
    folder("in");
    const auto r = plan({mDir.file("in")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.spec->entries.empty());
}

TEST_F(Planner, ExistingDestinationsAreListedForTheCommandToDecide) {
    const std::string a = touch("a.mov");
    const std::string b = touch("b.mov");
    const std::string c = touch("c.mov");
    touch("a.mp4");
    touch("c.mp4");
    const auto r = plan({a, b, c});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.planned);
    EXPECT_EQ(destinations(r),
              (XStrList{mDir.xfile("a.mp4"), mDir.xfile("b.mp4"), mDir.xfile("c.mp4")}));
    EXPECT_EQ(r.existing, (XStrList{mDir.xfile("a.mp4"), mDir.xfile("c.mp4")}));
    for (const VAConversionEntry& entry : r.spec->entries) {
        EXPECT_FALSE(entry.overwriteExisting) << "only the command's choice replaces a file";
    }
}

// Plans that would destroy a file or cannot be carried out are refused before anything is
// made, whatever becomes of outputs that exist.
TEST_F(Planner, RefusalsNameTheProblem) {
    folder("in");
    folder("out");
    folder("x");
    folder("y");
    const std::string a = touch("in/a.mp4");
    ASSERT_EQ(link(a.c_str(), mDir.file("out/a.mp4").c_str()), 0);
    const std::string b = touch("in/b.mp4");
    const std::string mov = touch("in/a.mov");
    touch("plain");
    folder("in/a.mkv");
    const std::string clipX = touch("x/clip.mov");
    const std::string clipY = touch("y/clip.avi");
    using Tweak = std::function<void(VCliConvertOptions&)>;
    const auto out = [this](const char* name) {
        return [this, name](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile(name); };
    };
    struct Row {
        std::vector<std::string> files;
        Tweak tweak;
        int exitCode;
        std::string message;
    };
    const Row rows[] = {
        {{mov},
         out("plain/sub"),
         2,
         "Cannot use output folder '" + mDir.file("plain/sub") + "': Not a directory"},
        {{mov}, out("plain"), 2, "Output folder '" + mDir.file("plain") + "' is not a folder"},
        {{mov, mDir.file("gone.mov")}, nullptr, 2, "No such file: '" + mDir.file("gone.mov") + "'"},
        {{mov},
         [](VCliConvertOptions& o) { o.ext = XStr(".mkv"); },
         1,
         "The output '" + mDir.file("in/a.mkv") + "' is a folder"},
        {{a},
         [&](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile("out"); },
         1,
         "Cannot convert '" + a + "' onto itself: '" + mDir.file("out/a.mp4") +
             "' is another name for that file; writing the output would destroy the file while "
             "it is read; choose another output folder (-o DIR) or extension (--ext .EXT)"},
        {{mov},
         [](VCliConvertOptions& o) { o.copy = true; },
         1,
         "Cannot copy '" + mov +
             "' onto itself: writing the output would destroy the file while it is read; choose "
             "another output folder with -o DIR"},
        {{clipX, clipY},
         [&](VCliConvertOptions& o) { o.naming.outputDir = mDir.xfile("new"); },
         1,
         "The output '" + mDir.file("new/clip.mp4") + "' would be written by more than one job"},
        {{a, b},
         [](VCliConvertOptions& o) { o.join = true; },
         1,
         "Cannot join into '" + a +
             "': it is one of the files being joined, and writing it would destroy it while it is "
             "read; choose another output folder (-o DIR) or extension (--ext .EXT)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const auto r = plan(row.files, row.tweak);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_EQ(r.messages, std::vector<std::string>{row.message});
        EXPECT_FALSE(r.planned) << "not even a dry run goes on";
    }
    EXPECT_FALSE(fileExists(mDir.file("new"))) << "a refused plan makes no folder";
}

TEST_F(Planner, AFileConvertedOntoItselfIsAnOutputThatExists) {
    const std::string a = touch("a.mp4");
    // The run writes beside it and replaces it only after a clean run, when asked to.
    const auto r = plan({a});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(destinations(r), XStrList{XStr(a)});
    EXPECT_EQ(r.existing, XStrList{XStr(a)});
}

TEST_F(Planner, CopyKeepsTheSourceExtensionAndListsWhatExists) {
    const std::string a = touch("a.mov");
    const std::string b = touch("b.mkv");
    folder("out");
    touch("out/b.mkv");
    const auto r = plan({a, b}, [&](VCliConvertOptions& o) {
        o.copy = true;
        o.naming.outputDir = mDir.xfile("out");
    });
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(destinations(r), (XStrList{mDir.xfile("out/a.mov"), mDir.xfile("out/b.mkv")}));
    EXPECT_TRUE(r.spec->entries[0].justCopy);
    EXPECT_EQ(r.existing, XStrList{mDir.xfile("out/b.mkv")});
}

TEST_F(Planner, JoinIsOneSourceOfAllFilesNamedAfterTheFirst) {
    const std::string a = touch("part1.mov", "aaaa");
    const std::string b = touch("part2.mov", "bb");
    const std::string c = touch("part3.mov", "c");
    const auto r = plan({b, a, c}, [](VCliConvertOptions& o) { o.join = true; });
    ASSERT_EQ(r.exitCode, 0);
    ASSERT_EQ(r.spec->entries.size(), 1u);
    const VAConversionEntry& e = r.spec->entries[0];
    const auto* concat = dynamic_cast<const VAConvertSourceConcat*>(e.convertFrom.get());
    ASSERT_NE(concat, nullptr);
    EXPECT_EQ(concat->concatURLs(), (XStrList{XStr(b), XStr(a), XStr(c)}));
    EXPECT_EQ(e.urlTo, mDir.xfile("part2.mp4"));
    EXPECT_EQ(e.sourceSizeBytes, 7u);
}

TEST_F(Planner, EncoderByNameTakesItsPageAndTheCataloguesExtension) {
    const std::string a = touch("a.mov");
    const auto r = plan({a}, [](VCliConvertOptions& o) {
        o.encoder = XStr("webm (vp8)");
        o.settings = {"quality=30"};
    });
    ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
    ASSERT_TRUE(r.spec->Encoder.has_value());
    EXPECT_EQ(r.spec->Encoder->name, "WebM (VP8)");
    EXPECT_EQ(r.spec->EncoderArgsV2.strArgs, "-acodec libopus -c:v libvpx -crf 30");
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("a.webm")});

    const auto custom = plan({a}, [](VCliConvertOptions& o) {
        o.encoder = XStr("[Custom FFmpeg settings]");
        o.settings = {"arguments=-c:v ffv1"};
        o.ext = XStr(".mkv");
    });
    ASSERT_EQ(custom.exitCode, 0) << (custom.messages.empty() ? "" : custom.messages[0]);
    EXPECT_EQ(custom.spec->EncoderArgsV2.strArgs, "-c:v ffv1");
    EXPECT_EQ(destinations(custom), XStrList{mDir.xfile("a.mkv")});
}

TEST_F(Planner, EffectsByNameFollowTheStoredChainInOrder) {
    const std::string a = touch("a.mov");
    const auto r = plan({a}, [](VCliConvertOptions& o) {
        o.effects = "-dspeffect1=\"Scale=-vf scale=640:-2\"";
        o.effectNames = {"Crop", "Flip", "crop"};
        o.settings = {"Crop#1.width=320", "Crop#2.width=160", "crop#2.height=90"};
    });
    ASSERT_EQ(r.exitCode, 0) << (r.messages.empty() ? "" : r.messages[0]);
    const VADSPChain& chain = r.spec->dspEffects;
    ASSERT_EQ(chain.size(), 4u);
    EXPECT_EQ(chain[0].name, "Scale");
    EXPECT_EQ(chain[1].name, "Crop");
    EXPECT_EQ(chain[1].args, "-vf crop=320:768:0:0");
    EXPECT_EQ(chain[2].name, "Flip");
    EXPECT_EQ(chain[3].name, "Crop") << "the catalogue's spelling";
    EXPECT_EQ(chain[3].args, "-vf crop=160:90:0:0");
    // Effects alone keep the typed encoder arguments and the default extension.
    EXPECT_EQ(destinations(r), XStrList{mDir.xfile("a.mp4")});
}

TEST_F(Planner, EncoderAndEffectMistakesAreUsageErrorsThatSayWhatIsValid) {
    const std::string a = touch("a.mov");
    struct Case {
        std::function<void(VCliConvertOptions&)> tweak;
        std::string start;
    };
    const std::vector<Case> cases = {
        {[](VCliConvertOptions& o) { o.encoder = XStr("WebM (VP7)"); },
         "No encoder 'WebM (VP7)'. The encoders are:\n  "},
        {[](VCliConvertOptions& o) {
             o.encoder = XStr("WebM (VP8)");
             o.ext = XStr(".mkv");
         },
         "The option '--ext' applies only to the encoder '[Custom FFmpeg settings]'; the encoder "
         "'WebM (VP8)' writes .webm files"},
        {[](VCliConvertOptions& o) { o.encoder = XStr("[Custom FFmpeg settings]"); },
         "The encoder '[Custom FFmpeg settings]' needs the extension of its outputs"},
        {[](VCliConvertOptions& o) { o.settings = {"quality=3"}; },
         "The setting 'quality=3' names no effect given with '--effect'"},
        {[](VCliConvertOptions& o) {
             o.effectNames = {"Crop"};
             o.settings = {"Crop.depth=3"};
         },
         "Effect 'Crop': No control 'depth'. The controls are:\n  width\n  height\n  x\n  y"},
        {[](VCliConvertOptions& o) { o.effectNames = {"Watermark"}; },
         "The effect 'Watermark' is not ready: "},
        {[](VCliConvertOptions& o) { o.effectNames = {"Blur"}; },
         "No effect 'Blur'. The effects are:\n  Aspect Ratio\n  "},
    };
    for (const Case& c : cases) {
        const auto r = plan({a}, c.tweak);
        EXPECT_EQ(r.exitCode, 2) << c.start;
        ASSERT_EQ(r.messages.size(), 1u) << c.start;
        EXPECT_EQ(r.messages[0].rfind(c.start, 0), 0u) << r.messages[0];
    }
}

TEST_F(Planner, TemplatesNameTheOutputsUnderTheirFolder) {
    folder("in");
    folder("in/b:c");
    const std::string a = touch("in/b:c/.a:1.mov");
    const std::string b = touch("in/b.avi");
    struct Case {
        const char* name;
        std::function<void(VCliNamingOptions&)> naming;
        XStrList expected;
    };
    const std::string in = mDir.file("in");
    const Case cases[] = {
        {"beside the sources",
         [](VCliNamingOptions&) {},
         {XStr(in + "/b:c/a:1.mp4"), XStr(in + "/b.mp4")}},
        {"one folder keeps the names",
         [&](VCliNamingOptions& n) { n.outputDir = mDir.xfile("out"); },
         {mDir.xfile("out/a:1.mp4"), mDir.xfile("out/b.mp4")}},
        {"template under a folder",
         [&](VCliNamingOptions& n) {
             n.outputDir = mDir.xfile("out");
             n.templ = XStr("[origfilename]\\[UPPER][origfilename][]");
         },
         {mDir.xfile("out/a;1/A;1.mp4"), mDir.xfile("out/b/B.mp4")}},
        {"source folders rebuilt from /",
         [](VCliNamingOptions& n) { n.templ = XStr("[origpath]/x [origfilename]"); },
         {XStr(in + "/b:c/x .a;1.mp4"), XStr(in + "/x b.mp4")}},
        {"source folders under a folder",
         [&](VCliNamingOptions& n) { n.preservePath = mDir.xfile("keep"); },
         {mDir.xfile("keep") + XStr(in + "/b:c/a:1.mp4"),
          mDir.xfile("keep") + XStr(in + "/b.mp4")}},
    };
    for (const Case& c : cases) {
        const auto r = plan({a, b}, [&](VCliConvertOptions& o) {
            c.naming(o.naming);
            o.dryRun = true;
        });
        ASSERT_EQ(r.exitCode, 0) << c.name << ": " << (r.messages.empty() ? "" : r.messages[0]);
        EXPECT_EQ(destinations(r), c.expected) << c.name;
        EXPECT_TRUE(r.unnamed.empty()) << c.name;
    }
    EXPECT_FALSE(fileExists(mDir.file("out"))) << "a dry run makes no folder";
    EXPECT_FALSE(fileExists(mDir.file("keep")));
}

TEST_F(Planner, ASourceWhoseOutputCannotBeNamedFailsAlone) {
    const std::string a = touch("a.mov", "not media");
    const std::string b = touch("b.mov", "");
    const auto r = plan({a, b}, [&](VCliConvertOptions& o) {
        o.naming.outputDir = mDir.xfile("out");
        o.naming.templ = XStr("[artist]/[origfilename]");
    });
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.spec->entries.empty());
    EXPECT_EQ(
        r.unnamed,
        (std::vector<std::string>{
            "Cannot name the output of '" + a + "': its tags cannot be read: not a media file",
            "Cannot name the output of '" + b + "': its tags cannot be read: empty file, not media",
        }));
    ASSERT_EQ(r.destinations.size(), 2u);
    EXPECT_FALSE(r.destinations[0].destination.has_value());
}

TEST_F(Planner, TheOutputFolderIsProbedForNewFilesBeforeAnythingStarts) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "for others the permissions refuse the folder before the probe";
    }
    const std::string a = touch("a.mov");
    // Writable by its mode, yet no file can be made in it.
    const auto r =
        plan({a}, [&](VCliConvertOptions& o) { o.naming.outputDir = XStr("/sys/kernel"); });
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Cannot use output folder '/sys/kernel': no "
                                                   "file can be made in it: Permission denied"});
}
