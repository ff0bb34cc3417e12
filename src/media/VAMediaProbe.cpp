#include "VAMediaProbe.h"

#include <mutex>

#include "VAProbeReport.h"
#include "XFindProgram.h"

namespace {

std::mutex gMutex;
VAMediaProbe::Locator gLocator;

XStr defaultFFprobe() {
    // PATH is searched once; the located program stays for the process.
    static const XStr kFound = XFindProgram("ffprobe");
    return kFound;
}

}  // namespace

void VAMediaProbe::setFFprobeLocator(Locator locator) {
    const std::lock_guard<std::mutex> lock(gMutex);
    gLocator = std::move(locator);
}

void VAMediaProbe::setFFprobePath(const XStr& path) {
    setFFprobeLocator([path] { return path; });
}

XStr VAMediaProbe::ffprobePath() {
    Locator locator;
    {
        const std::lock_guard<std::mutex> lock(gMutex);
        locator = gLocator;
    }
    return locator ? locator() : defaultFFprobe();
}

VAProbeJob::Outcome VAMediaProbe::probe(const XStr& path, NTag& idTags, NTag& props,
                                        uint64_t& lengthMS, int stopFD) {
    const XStr ffprobe = ffprobePath();
    if (ffprobe.empty()) {
        return VAProbeJob::Outcome::kNotStarted;
    }
    std::string report;
    const VAProbeJob::Outcome outcome = VAProbeJob::run(ffprobe, path, report, stopFD);
    if (outcome == VAProbeJob::Outcome::kFinished || outcome == VAProbeJob::Outcome::kFailed) {
        VAProbeReport::read(report, idTags, props, lengthMS);
    }
    return outcome;
}
