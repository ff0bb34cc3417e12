// A stand-in for ffprobe in the tests of the probing machinery: a small script that logs
// each start and end, waits as long as the probed file says (its content, in seconds) and
// prints a report naming the file as its title.
#pragma once

#include <string>
#include <vector>

#include "TestSupport.h"

class FakeProbe {
public:
    explicit FakeProbe(const TestTempDir& dir);
    ~FakeProbe();

    const std::string& program() const { return mProgram; }
    // A file whose probe takes that long.
    std::string makeFile(const std::string& name, double seconds) const;
    // How many probes started so far.
    int starts() const;
    // The largest number of probes that ran at the same time.
    int maxConcurrent() const;
    void clearLog() const;

private:
    std::vector<std::pair<long long, int>> events() const;

    const TestTempDir& mDir;
    std::string mProgram;
    std::string mLog;
};
