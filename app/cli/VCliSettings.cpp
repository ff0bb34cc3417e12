#include "VCliSettings.h"

std::shared_ptr<VMCProgressSettings> VCliSettings::makeSettings() {
    return nullptr;
}
