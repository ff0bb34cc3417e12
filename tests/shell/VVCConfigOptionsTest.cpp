// The converter's options: the stored switches read as off when missing and all written on
// leaving, the debug switch in the environment only.
#include "VVCConfigOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ShellTestSupport.h"

namespace {

class VVCConfigOptionsTest : public ShellTest {};

TEST_F(VVCConfigOptionsTest, StoredSwitchesAreReadAndAllWritten) {
    const char* names[] = {"vMCAllowProfiles", "ShowAudioOnly", "CheckBetaUpdates"};
    struct Row {
        const char* name;
        // What the store holds before (-1: nothing), what the user sets (-1: untouched).
        int stored[3];
        int set[3];
        bool shown[3];
        uint32_t written[3];
    };
    const Row table[] = {
        {"nothing stored, nothing touched",
         {-1, -1, -1},
         {-1, -1, -1},
         {false, false, false},
         {0, 0, 0}},
        {"stored values shown, untouched ones written",
         {1, 0, 7},
         {-1, 1, -1},
         {true, false, true},
         {1, 1, 1}},
        {"turned off", {1, 1, 1}, {0, 0, 0}, {true, true, true}, {0, 0, 0}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        for (int i = 0; i < 3; ++i) {
            if (row.stored[i] < 0) {
                XRegistry::DeleteValue(names[i]);
            } else {
                XRegistry::SetDWORD(names[i], static_cast<uint32_t>(row.stored[i]));
            }
        }
        VVCConfigOptions options;
        options.viewDidLoad();
        EXPECT_EQ(options.enableProfiles(), row.shown[0]);
        EXPECT_EQ(options.showAudioOnly(), row.shown[1]);
        EXPECT_EQ(options.checkForBetaUpdates(), row.shown[2]);
        if (row.set[0] >= 0) {
            options.setEnableProfiles(row.set[0] != 0);
        }
        if (row.set[1] >= 0) {
            options.setShowAudioOnly(row.set[1] != 0);
        }
        if (row.set[2] >= 0) {
            options.setCheckForBetaUpdates(row.set[2] != 0);
        }
        options.viewWillDisappear();
        for (int i = 0; i < 3; ++i) {
            bool missing = true;
            EXPECT_EQ(XRegistry::GetDWORD(names[i], {}, {}, &missing), row.written[i]) << names[i];
            EXPECT_FALSE(missing) << names[i];
        }
    }
    EXPECT_FALSE(VVCConfigOptions().suppressCheckForBetaUpdates());
    EXPECT_FALSE(VVCConfigOptions().suppressShowAudioOnly());
}

// The switch takes effect at once for the jobs (which ask XDebugLog), leaves the environment
// alone (threads read it) and is never stored.
TEST_F(VVCConfigOptionsTest, TheDebugSwitchTakesEffectAtOnceAndIsNeverStored) {
    ScopedDebugLog restore(false);
    for (const char* before : {static_cast<const char*>(nullptr), "verbose"}) {
        ScopedEnv env("VANTARO_DEBUG", before);
        for (const bool on : {true, false, true}) {
            VVCConfigOptions::setConverterDebug(on);
            EXPECT_EQ(VVCConfigOptions::converterDebug(), on);
            EXPECT_EQ(XDebugLog::enabled(), on);
            const char* now = std::getenv("VANTARO_DEBUG");
            EXPECT_EQ(now == nullptr, before == nullptr);
            bool missing = false;
            XRegistry::GetString("VANTARO_DEBUG", {}, {}, &missing);
            EXPECT_TRUE(missing) << "never stored";
        }
    }
}

}  // namespace
