// The destination check before converting: one planned output per source and encoder,
// destinations as the naming makes them, probe records only when a name needs them, and
// every destination that is there already.
#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>

#include "CheckTestSupport.h"
#include "VMCMultiEncConfig.h"

namespace {

class VMCCheckingFilenames : public CheckTest {
protected:
    // The multi encoder active with these entries.
    void useMulti(CheckHost& host, const std::vector<VMCMultiEncEntry>& entries,
                  bool multiCPU = true, const VMCFileNaming& main = VMCFileNaming()) {
        VMCMultiEncConfig config;
        for (const VMCMultiEncEntry& e : entries) {
            config.entries().push_back(e.copy());
        }
        config.setMultiCPU(multiCPU);
        host.use("[Multi Encoder]", config.toString(), main);
    }
    static VMCMultiEncEntry multiEntry(const char* encoder, const VMCFileNaming& naming) {
        static const std::vector<VAEncoderDesc> catalogue = fullCatalogue();
        VMCMultiEncEntry e =
            VMCMultiEncConfig::newEntry(*VAEncoderDesc::findEncoder(catalogue, encoder));
        *e.fileNaming = naming;
        VMCMultiEncConfig::tellNaming(e);
        return e;
    }
    VMCFileNaming inFolder(const std::string& folder, const XStr& format = "[origfilename]") {
        VMCFileNaming naming = VMCFileNaming::namingPreservePath(XStr(mDir.file(folder)));
        naming.setDynamicFormat(format);
        return naming;
    }
};

}  // namespace

TEST_F(VMCCheckingFilenames, OneOutputPerCheckedSourceAndTheOnesThatExist) {
    CheckHost host;
    host.use("MP4 (H264)");
    const std::string a = source("a.mov");
    const std::string b = source("b.mov");
    const std::string c = source("c.mkv");
    existing("b.mp4");
    host.addSource(a);
    host.addSource(b, false);
    host.addSource(c);
    host.addSource(b);
    const auto progress = check(host);
    const VMCCheckFilenamesState& state = *progress->state();
    EXPECT_EQ(destinations(state),
              (XStrList{mDir.xfile("a.mp4"), mDir.xfile("c.mp4"), mDir.xfile("b.mp4")}));
    EXPECT_EQ(state.alreadyExists, std::set<XStr>{mDir.xfile("b.mp4")});
    EXPECT_TRUE(host.lastAnyExists);
    EXPECT_EQ(host.calls, 1);
    EXPECT_EQ(state.entries[0].sourceSizeBytes, 18u);
    EXPECT_EQ(state.entries[0].source2->urlPerceived, XStr(a));
    EXPECT_EQ(state.entries[0].multiEncData, nullptr);
    EXPECT_EQ(state.numItemsChecked(), 3u);
    EXPECT_FALSE(progress->needsMetaFromFiles());
    EXPECT_TRUE(probed.empty()) << "no name needs a probe record";
}

TEST_F(VMCCheckingFilenames, TheExtensionComesFromTheEncoderOrTheTypedOne) {
    struct Case {
        const char* encoder;
        const char* customExt;
        const char* name;
    };
    const Case cases[] = {
        {"[Custom FFmpeg settings]", "mkv", "clip.mkv"},
        {"[Custom FFmpeg settings]", ".mkv", "clip.mkv"},
        {"[Custom FFmpeg settings]", "", "clip"},
        {"WebM (VP8)", "", "clip.webm"},
        {"WebM (VP8)", "ogv", "clip.ogv"},
    };
    const std::string clip = source("clip.mov");
    for (const Case& c : cases) {
        CheckHost host;
        VMCProfile& profile = host.use(c.encoder);
        VAEncoderArgs args;
        args.customFormatExt = c.customExt;
        profile.setEncoderArgsV2(args);
        host.addSource(clip);
        const auto progress = check(host);
        EXPECT_EQ(destinations(*progress->state()), XStrList{mDir.xfile(c.name)})
            << c.encoder << " " << c.customExt;
    }
}

TEST_F(VMCCheckingFilenames, EveryEncoderOfTheMultiEncoderPlansItsOwnOutputs) {
    CheckHost host;
    // The same destination twice: both outputs stay planned.
    VMCFileNaming main = inFolder("main", "[encoder]/[origfilename]");
    useMulti(
        host,
        {multiEntry("MP4 (H264)", inFolder("out")), multiEntry("Matroska (VP9)", inFolder("out")),
         multiEntry("MP4 (H265)", VMCFileNaming::namingUseParentConfig()),
         multiEntry("AVI", inFolder("out")),
         multiEntry("MP4 (copy, no encoding)", VMCFileNaming::namingSameFolder())},
        false, main);
    const std::string a = source("a.mov");
    host.addSource(a);
    existing("out/a.mp4");
    const auto progress = check(host);
    const VMCCheckFilenamesState& state = *progress->state();
    EXPECT_EQ(destinations(state), (XStrList{mDir.xfile("out/a.mp4"), mDir.xfile("out/a.mkv"),
                                             mDir.xfile("main/MP4 (H265)/a.mp4"),
                                             mDir.xfile("out/a.avi"), mDir.xfile("a.mp4")}));
    ASSERT_EQ(state.entries.size(), 5u);
    for (const VMCCheckFileNamesEntry& entry : state.entries) {
        ASSERT_NE(entry.multiEncData, nullptr);
        EXPECT_EQ(entry.source2, state.entries[0].source2);
    }
    EXPECT_EQ(state.entries[2].multiEncData->encoder.name, "MP4 (H265)");
    EXPECT_EQ(state.alreadyExists, std::set<XStr>{mDir.xfile("out/a.mp4")});
    EXPECT_FALSE(state.multiCPU);

    const std::shared_ptr<VAConversionSpec> spec = state.conversionSpec(
        *host.configuration().activeProfile(), host.configuration().activeEncoder());
    ASSERT_EQ(spec->entries.size(), 5u);
    EXPECT_FALSE(spec->multiCPU);
    EXPECT_TRUE(spec->entries[0].overwriteExisting) << "checked and found to exist";
    EXPECT_FALSE(spec->entries[1].overwriteExisting);
    EXPECT_EQ(spec->entries[1].multiEncData->encoder.name, "Matroska (VP9)");
    EXPECT_EQ(spec->Encoder->name, "[Multi Encoder]");
}

TEST_F(VMCCheckingFilenames, ProbeRecordsAreTakenOnlyWhenANameNeedsThem) {
    struct Case {
        const char* what;
        const char* mainTemplate;                 // nullptr: beside the source
        std::vector<const char*> entryTemplates;  // empty: no multi encoder; "": main naming
        bool needs;
    };
    const Case cases[] = {
        {"beside the source", nullptr, {}, false},
        {"template without tags", "[origfilename]", {}, false},
        {"template with a tag", "[title]", {}, true},
        {"entries without tags", "[title]", {"[origfilename]", "[encoder]"}, false},
        {"an entry with a tag", nullptr, {"[origfilename]", "[artist]"}, true},
        {"an entry with the main naming", "[album]", {"[origfilename]", ""}, true},
    };
    for (const Case& c : cases) {
        CheckHost host;
        const VMCFileNaming main =
            c.mainTemplate ? inFolder("out", c.mainTemplate) : VMCFileNaming();
        if (c.entryTemplates.empty()) {
            host.use("MP4 (H264)", "", main);
        } else {
            std::vector<VMCMultiEncEntry> entries;
            for (const char* format : c.entryTemplates) {
                entries.push_back(multiEntry("AVI", *format
                                                        ? inFolder("m", format)
                                                        : VMCFileNaming::namingUseParentConfig()));
            }
            useMulti(host, entries, true, main);
        }
        host.addSource(source("x.mov"));
        const auto progress = check(host);
        EXPECT_EQ(progress->needsMetaFromFiles(), c.needs) << c.what;
    }
}

TEST_F(VMCCheckingFilenames, LoadedRecordsAreUsedAndMissingOnesProbed) {
    CheckHost host;
    host.use("MP4 (H264)", "", inFolder("out", "[artist] - [title]"));
    const std::string a = source("a.mov");
    const std::string b = source("b.mov");
    host.addSource(a);
    host.addSource(b);
    host.infos = {recordWith(a, {{"artist", "Ann"}, {"title", "One"}})};
    const auto progress = check(host, [&](const XStr& path, int) {
        probed.push_back(path);
        return recordWith(path, {{"artist", "Bob"}, {"title", "Two"}});
    });
    EXPECT_EQ(destinations(*progress->state()),
              (XStrList{mDir.xfile("out/Ann - One.mp4"), mDir.xfile("out/Bob - Two.mp4")}));
    EXPECT_EQ(probed, XStrList{XStr(b)});
}

TEST_F(VMCCheckingFilenames, AUserNameReplacesTheNamingsAndIsTestedToo) {
    CheckHost host;
    host.use("MP4 (H264)", "", inFolder("out", "[title]"));
    host.addSource(source("a.mov"));
    host.entries[0].destinationUser = "chosen/name";
    existing("out/chosen/name.mp4");
    const auto progress = check(host);
    EXPECT_EQ(destinations(*progress->state()), XStrList{mDir.xfile("out/chosen/name.mp4")});
    EXPECT_TRUE(host.lastAnyExists);
}

TEST_F(VMCCheckingFilenames, AnEncoderThatWritesNoFileNeverCollides) {
    VAEncoderDesc silent = VAEncoderDesc::makeVideoCodec("Silent", ".mp4");
    silent.disableConvertToFolder = true;
    CheckHost host({silent, VAEncoderDesc::makeVideoCodec("MP4 (copy, no encoding)", ".mp4")});
    host.use("Silent", "", inFolder("out", "[title]"));
    const std::string a = source("a.mov");
    existing("a.mp4");
    existing("out/_.mp4");
    host.addSource(a);
    const auto progress = check(host);
    EXPECT_EQ(destinations(*progress->state()), XStrList{"/tmp/no-output-file-specified.ignore"});
    EXPECT_FALSE(host.lastAnyExists);
    EXPECT_FALSE(progress->needsMetaFromFiles());
    EXPECT_TRUE(progress->state()->alreadyExists.empty());
}

TEST_F(VMCCheckingFilenames, AWindowThatGoesAwayDropsTheResult) {
    CheckHost host;
    host.use("MP4 (H264)", "", inFolder("out", "[title]"));
    for (int i = 0; i < 50; ++i) {
        host.addSource(source("s" + std::to_string(i) + ".mov"));
    }
    {
        auto progress = VMCCheckingFilenamesProgress::initWithHost(&host);
        progress->setProber([](const XStr& path, int) { return recordWith(path, {}); });
        progress->viewDidLoad();
    }
    mLoop->runUntil([] { return false; }, 100);
    EXPECT_EQ(host.calls, 0);
}

// The panel's bar: how many checked sources are planned, of how many; unchecked ones are
// never counted.
TEST_F(VMCCheckingFilenames, TheCheckCountsTheSourcesItHasPlanned) {
    struct Row {
        std::vector<bool> checked;
        std::size_t toCheck;
    };
    for (const Row& row :
         {Row{{}, 0}, Row{{true}, 1}, Row{{true, false, true}, 2}, Row{{false, false}, 0}}) {
        CheckHost host;
        host.use("MP4 (H264)", "", inFolder("out"));
        for (std::size_t i = 0; i < row.checked.size(); ++i) {
            host.addSource(source("c" + std::to_string(i) + ".mov"), row.checked[i]);
        }
        const auto progress = check(host);
        EXPECT_EQ(progress->sourcesToCheck(), row.toCheck);
        EXPECT_EQ(progress->sourcesChecked(), row.toCheck);
    }
}

// Cancelled while a source is probed: the probe is told to stop, and the window hears
// nothing of the check.
TEST_F(VMCCheckingFilenames, ACancelledCheckStopsItsProbeAndTellsNobody) {
    CheckHost host;
    host.use("MP4 (H264)", "", inFolder("out", "[title]"));
    for (int i = 0; i < 3; ++i) {
        host.addSource(source("p" + std::to_string(i) + ".mov"));
    }
    std::atomic<int> probing{0};
    std::atomic<bool> stoppedByRequest{false};
    std::atomic<bool> returned{false};
    auto progress = VMCCheckingFilenamesProgress::initWithHost(&host);
    progress->setProber([&](const XStr& path, int stopFD) {
        ++probing;
        pollfd fd{stopFD, POLLIN, 0};
        stoppedByRequest = poll(&fd, 1, 30000) == 1;
        returned = true;
        return recordWith(path, {});
    });
    progress->viewDidLoad();
    ASSERT_TRUE(mLoop->runUntil([&] { return probing > 0; }, 30000));
    progress->cancel();
    ASSERT_TRUE(mLoop->runUntil([&] { return returned.load(); }, 30000));
    EXPECT_TRUE(stoppedByRequest);
    EXPECT_FALSE(mLoop->runUntil([&] { return host.calls > 0; }, 300));
    EXPECT_EQ(probing, 1) << "no source is probed after the cancel";
    EXPECT_LT(progress->sourcesChecked(), 3u);
}
