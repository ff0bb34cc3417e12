#include "VAFFmpegCapabilities.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAFFmpegRecordFile.h"

namespace {

const std::set<XStr> kListed = {"aac", "libx264", "h264_nvenc"};

// A listing in FFmpeg's layout of the given names.
std::string listingOf(const std::set<XStr>& names) {
    std::string text = "Encoders:\n V..... = Video\n ------\n";
    for (const XStr& name : names) {
        text += " V....D " + name.utf8() + "    " + name.utf8() + " encoder\n";
    }
    return text;
}

// A stand-in FFmpeg that notes every run in `runs` and prints the listing.
void writeFakeFFmpeg(const std::string& path, const std::string& runs, const std::set<XStr>& names,
                     int exitStatus = 0) {
    writeExecutable(path, "#!/bin/sh\necho run >> '" + runs + "'\n/bin/cat <<'END'\n" +
                              listingOf(names) + "END\nexit " + std::to_string(exitStatus) + "\n");
}

// A private application data folder, a fake FFmpeg, and this process's memory forgotten
// before and after, so "a new run of the program" is resetCacheForTesting.
class FFmpegRecords : public ::testing::Test {
protected:
    void SetUp() override {
        mkdir(mDir.file("bin").c_str(), 0755);
        mkdir(mDir.file("data").c_str(), 0755);
        VAAppDataFolder::registerAppName("VantaroVideo");
        ASSERT_TRUE(VAAppDataFolder::ensureExists());
        VAFFmpegCapabilities::resetCacheForTesting();
        mSavedDevices = VAFFmpegCapabilities::deviceFingerprint();
        VAFFmpegCapabilities::deviceFingerprint() = [this] { return mDevices; };
        writeFakeFFmpeg(ffmpeg(), runsFile(), kListed);
    }
    void TearDown() override {
        VAFFmpegCapabilities::deviceFingerprint() = mSavedDevices;
        VAFFmpegCapabilities::resetCacheForTesting();
        VAAppDataFolder::registerAppName("");
    }

    std::string ffmpeg() const { return mDir.file("bin/ffmpeg"); }
    std::string runsFile() const { return mDir.file("runs"); }
    std::string recordFile() const { return VAFFmpegCapabilities::recordFilePath().utf8(); }
    std::size_t runs() const { return readTextFile(runsFile()).size() / 4; }
    // What a later run of the program finds, after this one has ended.
    std::set<XStr> encodersInNewRun(const std::string& path) {
        VAFFmpegCapabilities::resetCacheForTesting();
        return VAFFmpegCapabilities::encoders(XStr(path));
    }

    TestTempDir mDir;
    ScopedEnv mOverride{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
    XStr mDevices = "dri:card0; dev:";
    std::function<XStr()> mSavedDevices;
};

}  // namespace

// Each row changes one thing about the executable after a run learned its listing; the
// next run must ask again exactly when path, size or time differ.
TEST_F(FFmpegRecords, KeptWhilePathSizeAndTimeMatchAskedAgainWhenAnyDiffers) {
    struct Row {
        const char* what;
        // Answers the path the next run uses, and the listing expected there.
        std::function<std::string(std::set<XStr>&)> change;
        std::size_t newRuns;
    };
    const std::set<XStr> other = {"aac", "libvpx"};
    const std::vector<Row> rows = {
        {"nothing", [&](std::set<XStr>&) { return ffmpeg(); }, 0},
        {"another name for the same file",
         [&](std::set<XStr>&) {
             const std::string link = mDir.file("bin/ffmpeg-link");
             unlink(link.c_str());
             EXPECT_EQ(symlink(ffmpeg().c_str(), link.c_str()), 0);
             return link;
         },
         0},
        {"the size, same time",
         [&](std::set<XStr>& expected) {
             const timespec was = modifiedTime(ffmpeg());
             writeFakeFFmpeg(ffmpeg(), runsFile(), other);
             setModifiedTime(ffmpeg(), was);
             expected = other;
             return ffmpeg();
         },
         1},
        {"the time by one nanosecond, same content",
         [&](std::set<XStr>&) {
             timespec was = modifiedTime(ffmpeg());
             was.tv_nsec = (was.tv_nsec + 1) % 1000000000;
             setModifiedTime(ffmpeg(), was);
             return ffmpeg();
         },
         1},
        {"the path, same size and time",
         [&](std::set<XStr>&) {
             const std::string copy = mDir.file("bin/ffmpeg-copy");
             writeFakeFFmpeg(copy, runsFile(), kListed);
             setModifiedTime(copy, modifiedTime(ffmpeg()));
             return copy;
         },
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeFakeFFmpeg(ffmpeg(), runsFile(), kListed);
        unlink(recordFile().c_str());
        EXPECT_EQ(encodersInNewRun(ffmpeg()), kListed);
        const std::size_t before = runs();
        std::set<XStr> expected = kListed;
        const std::string path = row.change(expected);
        EXPECT_EQ(encodersInNewRun(path), expected);
        EXPECT_EQ(runs() - before, row.newRuns);
        // Whatever was asked is remembered in turn.
        EXPECT_EQ(encodersInNewRun(path), expected);
        EXPECT_EQ(runs() - before, row.newRuns);
    }
}

TEST_F(FFmpegRecords, ADamagedFileCountsAsEmptyAndIsReplaced) {
    EXPECT_EQ(encodersInNewRun(ffmpeg()), kListed);
    const std::string good = readTextFile(recordFile());
    const struct {
        const char* what;
        std::string content;
    } rows[] = {
        {"empty", ""},
        {"not JSON", "{\"version\":1,\"executables\":[{"},
        {"cut in the middle", good.substr(0, good.size() / 2)},
        {"another version", "{\"version\":2,\"executables\":[]}"},
        {"a list, not an object", "[1,2,3]"},
        {"a record without its time",
         "{\"version\":1,\"executables\":[{\"path\":\"" + ffmpeg() +
             "\",\"size\":1,\"encoders\":[\"aac\"],\"trials\":{},\"trialDevices\":\"\"}]}"},
        {"names that are not texts",
         [&] {
             std::string bad = good;
             const std::size_t at = bad.find("\"aac\"");
             return at == std::string::npos ? std::string("x") : bad.replace(at, 5, "17");
         }()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        writeTextFile(recordFile(), row.content);
        EXPECT_TRUE(VAFFmpegRecordFile::read(XStr(recordFile())).empty());
        const std::size_t before = runs();
        EXPECT_EQ(encodersInNewRun(ffmpeg()), kListed);
        EXPECT_EQ(runs() - before, 1u);
        EXPECT_EQ(readTextFile(recordFile()), good);
    }
}

TEST_F(FFmpegRecords, AFailedListingServesThisRunOnly) {
    const struct {
        const char* what;
        std::set<XStr> names;
        int exitStatus;
    } rows[] = {
        {"listed, then failed", kListed, 1},
        {"ended well, listed nothing", {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        unlink(recordFile().c_str());
        writeFakeFFmpeg(ffmpeg(), runsFile(), row.names, row.exitStatus);
        const std::size_t before = runs();
        EXPECT_EQ(encodersInNewRun(ffmpeg()), row.names);
        EXPECT_EQ(VAFFmpegCapabilities::encoders(XStr(ffmpeg())), row.names);
        EXPECT_EQ(runs() - before, 1u);
        // A trial saves the record, still without the listing.
        VAFFmpegCapabilities::trialVerdict(XStr(ffmpeg()), "h264_nvenc", [] { return false; });
        EXPECT_EQ(encodersInNewRun(ffmpeg()), row.names);
        EXPECT_EQ(runs() - before, 2u);
    }
}

TEST_F(FFmpegRecords, TrialVerdictsAreKeptForTheExecutableAndTheDevicesPresent) {
    int trials = 0;
    const auto trial = [&trials](bool verdict) {
        return [&trials, verdict] {
            ++trials;
            return verdict;
        };
    };
    const XStr path(ffmpeg());
    EXPECT_FALSE(VAFFmpegCapabilities::trialVerdict(path, "h264_nvenc", trial(false)));
    EXPECT_TRUE(VAFFmpegCapabilities::trialVerdict(path, "h264_qsv", trial(true)));
    EXPECT_EQ(trials, 2);

    // A new run: both verdicts come from the file, and the listing is still asked for.
    VAFFmpegCapabilities::resetCacheForTesting();
    EXPECT_FALSE(VAFFmpegCapabilities::trialVerdict(path, "h264_nvenc", trial(true)));
    EXPECT_TRUE(VAFFmpegCapabilities::trialVerdict(path, "h264_qsv", trial(false)));
    EXPECT_EQ(trials, 2);
    EXPECT_EQ(VAFFmpegCapabilities::encoders(path), kListed);
    EXPECT_EQ(runs(), 1u);

    // Other devices: tried again, and the old verdicts are gone with them.
    mDevices = "dri:card0;renderD128; dev:";
    VAFFmpegCapabilities::resetCacheForTesting();
    EXPECT_TRUE(VAFFmpegCapabilities::trialVerdict(path, "h264_nvenc", trial(true)));
    EXPECT_EQ(trials, 3);
    VAFFmpegCapabilities::resetCacheForTesting();
    EXPECT_FALSE(VAFFmpegCapabilities::trialVerdict(path, "h264_qsv", trial(false)));
    EXPECT_EQ(trials, 4);

    // A replaced executable: tried again.
    timespec was = modifiedTime(ffmpeg());
    was.tv_sec -= 10;
    setModifiedTime(ffmpeg(), was);
    VAFFmpegCapabilities::resetCacheForTesting();
    EXPECT_FALSE(VAFFmpegCapabilities::trialVerdict(path, "h264_nvenc", trial(false)));
    EXPECT_EQ(trials, 5);
}

TEST_F(FFmpegRecords, TheFileKeepsTheNewestExecutablesFirst) {
    const std::size_t count = VAFFmpegRecordFile::kMaxRecords + 2;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = mDir.file("bin/ffmpeg" + std::to_string(i));
        writeFakeFFmpeg(path, runsFile(), kListed);
        EXPECT_EQ(encodersInNewRun(path), kListed);
    }
    const std::vector<VAFFmpegRecord> records = VAFFmpegRecordFile::read(XStr(recordFile()));
    ASSERT_EQ(records.size(), VAFFmpegRecordFile::kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].path, mDir.xfile("bin/ffmpeg" + std::to_string(count - 1 - i)));
    }
}

// Several programs learning at once: every write replaces the whole file, so whatever
// the last one wrote is a whole file, and no temporary file is left behind.
TEST_F(FFmpegRecords, ConcurrentProgramsNeverLeaveADamagedFile) {
    constexpr int kChildren = 4;
    constexpr int kRounds = 8;
    for (int c = 0; c < kChildren; ++c) {
        writeFakeFFmpeg(mDir.file("bin/ffmpeg" + std::to_string(c)), runsFile(), kListed);
    }
    std::vector<pid_t> children;
    for (int c = 0; c < kChildren; ++c) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const XStr path = mDir.xfile("bin/ffmpeg" + std::to_string(c));
            bool ok = true;
            for (int round = 0; round < kRounds; ++round) {
                VAFFmpegCapabilities::resetCacheForTesting();
                ok = ok && VAFFmpegCapabilities::encoders(path) == kListed;
                VAFFmpegCapabilities::trialVerdict(path, XStr::number(round), [] { return true; });
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::vector<VAFFmpegRecord> records = VAFFmpegRecordFile::read(XStr(recordFile()));
    ASSERT_FALSE(records.empty());
    for (const VAFFmpegRecord& r : records) {
        EXPECT_EQ(r.encoders, kListed) << r.path.utf8();
    }
    for (const std::string& name : folderEntries(mDir.file("data/VantaroVideo"))) {
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }
}

// Kept in the application's data folder; without an application name, nowhere. (That the
// record names the executable a link leads to shows in a link being found in the file.)
TEST_F(FFmpegRecords, TheFileIsInTheDataFolderAndNowhereWithoutAnApplicationName) {
    EXPECT_EQ(recordFile(), mDir.file("data/VantaroVideo/FFmpegCapabilities.json"));
    VAAppDataFolder::registerAppName("");
    EXPECT_TRUE(VAFFmpegCapabilities::recordFilePath().empty());
    EXPECT_EQ(encodersInNewRun(ffmpeg()), kListed);
    EXPECT_EQ(encodersInNewRun(ffmpeg()), kListed);
    EXPECT_EQ(runs(), 2u);
    EXPECT_TRUE(folderEntries(mDir.file("data/VantaroVideo")).empty());
}

// Two programs that learned different things about the same executable: the second
// writer keeps what the first wrote of the same version and the same devices.
TEST(FFmpegRecordFile, AStoreKeepsWhatTheFileKnewOfTheSameVersion) {
    TestTempDir dir;
    const XStr file = dir.xfile("records.json");
    VAFFmpegRecord first;
    first.path = "/usr/bin/ffmpeg";
    first.stat.size = 10;
    first.encoders = std::set<XStr>{"aac"};
    first.trials = {{"h264_nvenc", false}};
    first.trialDevices = "dri: dev:";
    struct Row {
        const char* what;
        std::function<void(VAFFmpegRecord&)> second;
        std::optional<std::set<XStr>> encoders;
        std::map<XStr, bool> trials;
    };
    const std::vector<Row> rows = {
        {"another trial, no listing",
         [](VAFFmpegRecord& r) {
             r.encoders.reset();
             r.trials = {{"h264_qsv", true}};
         },
         std::set<XStr>{"aac"},
         {{"h264_nvenc", false}, {"h264_qsv", true}}},
        {"no trial yet",
         [](VAFFmpegRecord& r) {
             r.trials.clear();
             r.trialDevices.clear();
         },
         std::set<XStr>{"aac"},
         {{"h264_nvenc", false}}},
        {"trials with other devices",
         [](VAFFmpegRecord& r) {
             r.trials = {{"h264_qsv", true}};
             r.trialDevices = "dri:renderD128; dev:";
         },
         std::set<XStr>{"aac"},
         {{"h264_qsv", true}}},
        {"another version of the file",
         [](VAFFmpegRecord& r) {
             r.stat.size = 11;
             r.encoders.reset();
             r.trials.clear();
         },
         std::nullopt,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        unlink(file.utf8().c_str());
        ASSERT_TRUE(VAFFmpegRecordFile::store(file, first));
        VAFFmpegRecord second = first;
        row.second(second);
        ASSERT_TRUE(VAFFmpegRecordFile::store(file, second));
        const std::vector<VAFFmpegRecord> records = VAFFmpegRecordFile::read(file);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].stat, second.stat);
        EXPECT_EQ(records[0].encoders, row.encoders);
        EXPECT_EQ(records[0].trials, row.trials);
    }
}
