// Two processes with the same store, each changing its own profile after both loaded the
// configuration: neither change is lost to the other's stale copy.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ConfigTestSupport.h"
#include "VMCConfig.h"

namespace {

class VMCConfigProcess : public ConfigTest {};

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Loads, tells the parent it has loaded, waits for the gate, then edits and saves its
// profile.
int editProfile(const char* name, const char* args, int loadedFd, int gateFd) {
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    const VMCConfig::ProfilePtr profile = config.profileNamed(name);
    if (!profile) {
        return 3;
    }
    if (write(loadedFd, "x", 1) != 1) {
        return 4;
    }
    char go = 0;
    if (read(gateFd, &go, 1) != 0) {
        return 2;
    }
    VAEncoderArgs edited = profile->encoderArgsV2();
    edited.strArgs = args;
    profile->setEncoderArgsV2(edited);
    profile->setDspString("-dspeffect1=\"Audio Mute=\"");
    profile->saveProfile();
    return 0;
}

}  // namespace

TEST_F(VMCConfigProcess, TwoProcessesEditingDifferentProfilesLoseNeitherEdit) {
    allowUserProfiles(true);
    {
        VMCConfig config(std::nullopt, smallCatalogue(), {});
        config.newUserProfile("Mine", "MP4 (H264)")->saveProfile();
    }
    struct Edit {
        const char* profile;
        const char* args;
    };
    const Edit edits[] = {{"MP4 (H264)", "-crf 21"}, {"Mine \"MP4 (H264)\"", "-crf 28"}};
    for (int round = 0; round < 20; ++round) {
        int gate[2];
        int loaded[2];
        ASSERT_EQ(pipe(gate), 0);
        ASSERT_EQ(pipe(loaded), 0);
        std::vector<pid_t> children;
        for (const Edit& edit : edits) {
            const std::string args = std::string(edit.args) + " round " + std::to_string(round);
            const pid_t pid = fork();
            if (pid == 0) {
                close(gate[1]);
                close(loaded[0]);
                _exit(editProfile(edit.profile, args.c_str(), loaded[1], gate[0]));
            }
            ASSERT_GT(pid, 0);
            children.push_back(pid);
        }
        close(gate[0]);
        close(loaded[1]);
        // Both hold the whole configuration in memory before either saves.
        char buffer[2];
        std::size_t got = 0;
        while (got < 2) {
            const ssize_t n = read(loaded[0], buffer, sizeof buffer - got);
            ASSERT_GT(n, 0);
            got += static_cast<std::size_t>(n);
        }
        close(loaded[0]);
        close(gate[1]);
        for (const pid_t pid : children) {
            const int status = waitFor(pid);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        const VMCConfig config(std::nullopt, smallCatalogue(), {});
        for (const Edit& edit : edits) {
            const VMCConfig::ProfilePtr profile = config.profileNamed(edit.profile);
            ASSERT_NE(profile, nullptr) << edit.profile;
            EXPECT_EQ(profile->encoderArgsV2().strArgs,
                      XStr(edit.args) + " round " + XStr::number(round))
                << edit.profile;
            EXPECT_EQ(profile->dspEffects().size(), 1u) << edit.profile;
        }
    }
}
