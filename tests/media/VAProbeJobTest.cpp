// Which files ffprobe is given: never one it would wait on or read for ever, never one the
// program cannot read (ffprobe's answer would only say "no media").
#include "VAProbeJob.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <string>

#include "FakeProbe.h"
#include "FifoRescue.h"
#include "TestSupport.h"
#include "VAMediaProbe.h"
#include "XSys.h"

namespace {

std::string gLocked;

// Opening the locked file fails as it does without permission.
int openDenyingLocked(const char* path, int flags, mode_t mode) {
    if (gLocked == path) {
        errno = EACCES;
        return -1;
    }
    return XSysReal().open(path, flags, mode);
}

}  // namespace

TEST(VAProbeJob, WhatCannotBeReadOrWouldNeverEndIsRefusedBeforeFFprobeStarts) {
    TestTempDir dir;
    FakeProbe probe(dir);
    FifoRescue fifo(dir.file("pipe.mp4"));
    ASSERT_TRUE(fifo.made());
    gLocked = probe.makeFile("locked.mp4", 0);
    XSysOverride seam;
    seam.calls().open = openDenyingLocked;
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {dir.file("pipe.mp4"), EINVAL},
        {"/dev/zero", EINVAL},
        {dir.path(), EISDIR},
        {gLocked, EACCES},
        {dir.file("missing.mp4"), ENOENT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VAProbeJob::refusal(XStr(c.path)), c.error) << c.path;
        VAProbeJob job;
        EXPECT_FALSE(job.start(XStr(probe.program()), XStr(c.path))) << c.path;
        EXPECT_EQ(job.refused(), c.error) << c.path;
        EXPECT_EQ(job.finish(), VAProbeJob::Outcome::kRefused) << c.path;
        NTag ids;
        NTag props;
        uint64_t lengthMS = 7;
        EXPECT_EQ(VAMediaProbe::probe(XStr(c.path), ids, props, lengthMS),
                  VAProbeJob::Outcome::kRefused)
            << c.path;
        EXPECT_EQ(lengthMS, 7u);
    }
    EXPECT_EQ(probe.starts(), 0);
    EXPECT_FALSE(fifo.fired());

    // A readable regular file is probed, and a name that is not UTF-8 reaches ffprobe whole.
    const std::string readable = probe.makeFile("lat\xe9.mp4", 0);
    EXPECT_EQ(VAProbeJob::refusal(XStr(readable)), 0);
    std::string report;
    EXPECT_EQ(VAProbeJob::run(XStr(probe.program()), XStr(readable), report),
              VAProbeJob::Outcome::kFinished);
    EXPECT_EQ(probe.starts(), 1);
    EXPECT_NE(report.find("\"title\": \"lat\xe9.mp4\""), std::string::npos) << report;
}
