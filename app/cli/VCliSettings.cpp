#include "VCliSettings.h"

#include <atomic>

#include "VALocateFFmpeg.h"
#include "VAMediaProbe.h"
#include "VAStartup.h"
#include "VMCRegistrySettings.h"

namespace {

std::atomic<bool> gStarted{false};

}  // namespace

void VCliSettings::startUp() {
    VAStartup::initSettingsStore();
    VAStartup::removeLeftovers();
    VAMediaProbe::setFFprobeLocator(VALocateFFmpeg::locateFFprobe);
    gStarted = true;
}

std::shared_ptr<VMCProgressSettings> VCliSettings::makeSettings() {
    if (!gStarted) {
        return nullptr;
    }
    return std::make_shared<VMCRegistrySettings>();
}
