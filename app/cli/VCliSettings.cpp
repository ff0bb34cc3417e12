#include "VCliSettings.h"

#include <atomic>

#include "VMCAppStartup.h"
#include "VMCRegistrySettings.h"

namespace {

std::atomic<bool> gStarted{false};

}  // namespace

void VCliSettings::startUp() {
    VMCAppStartup::start();
    gStarted = true;
}

std::shared_ptr<VMCProgressSettings> VCliSettings::makeSettings() {
    if (!gStarted) {
        return nullptr;
    }
    return std::make_shared<VMCRegistrySettings>();
}
