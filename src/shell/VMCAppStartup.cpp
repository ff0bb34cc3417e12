#include "VMCAppStartup.h"

#include "VALocateFFmpeg.h"
#include "VAMediaProbe.h"
#include "VAStartup.h"

namespace VMCAppStartup {

void start() {
    VAStartup::initSettingsStore();
    VAStartup::removeLeftovers();
    VAMediaProbe::setFFprobeLocator(VALocateFFmpeg::locateFFprobe);
}

std::jthread askFFmpegInBackground() {
    // The answer is kept for the process (and in the data folder); a caller on the main
    // thread that comes while it is asked waits for this one answer instead of asking again.
    return std::jthread([] { VALocateFFmpeg::gplEncodersOffered(); });
}

}  // namespace VMCAppStartup
