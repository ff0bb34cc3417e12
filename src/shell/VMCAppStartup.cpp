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

}  // namespace VMCAppStartup
