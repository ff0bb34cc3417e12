#include "FakeProbe.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "VAMediaProbe.h"

FakeProbe::FakeProbe(const TestTempDir& dir)
    : mDir(dir), mProgram(dir.file("fake-ffprobe")), mLog(dir.file("probe.log")) {
    writeExecutable(
        mProgram,
        "#!/bin/sh\n"
        "for last; do :; done\n"
        "echo \"$(date +%s%N) +\" >> '" +
            mLog +
            "'\n"
            "sleep \"$(cat \"$last\" 2>/dev/null || echo 0)\"\n"
            "printf '{\"format\": {\"duration\": \"2.5\", \"tags\": {\"title\": \"%s\"}}}' "
            "\"$(basename \"$last\")\"\n"
            "echo \"$(date +%s%N) -\" >> '" +
            mLog + "'\n");
    VAMediaProbe::setFFprobePath(XStr(mProgram));
}

FakeProbe::~FakeProbe() {
    VAMediaProbe::setFFprobeLocator(nullptr);
}

std::string FakeProbe::makeFile(const std::string& name, double seconds) const {
    const std::string path = mDir.file(name);
    std::ostringstream delay;
    delay << seconds;
    writeTextFile(path, delay.str());
    return path;
}

std::vector<std::pair<long long, int>> FakeProbe::events() const {
    std::vector<std::pair<long long, int>> list;
    std::ifstream in(mLog);
    long long when = 0;
    std::string kind;
    while (in >> when >> kind) {
        list.emplace_back(when, kind == "+" ? 1 : -1);
    }
    std::sort(list.begin(), list.end());
    return list;
}

int FakeProbe::starts() const {
    int n = 0;
    for (const auto& e : events()) {
        n += e.second > 0 ? 1 : 0;
    }
    return n;
}

int FakeProbe::maxConcurrent() const {
    int running = 0;
    int most = 0;
    for (const auto& e : events()) {
        running += e.second;
        most = std::max(most, running);
    }
    return most;
}

void FakeProbe::clearLog() const {
    writeTextFile(mLog, "");
}
