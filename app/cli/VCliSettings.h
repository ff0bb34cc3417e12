// Where the program's settings come from: the settings store of the application data
// folder once the program has started up, nothing before (the unit tests), so the
// scheduler then keeps its defaults.
#pragma once

#include <memory>

#include "VMCProgressDialog.h"

namespace VCliSettings {

// The program's start-up: the settings store, the probe cache that comes with the data
// folder, and ffprobe found where FFmpeg is found.
void startUp();
std::shared_ptr<VMCProgressSettings> makeSettings();

}  // namespace VCliSettings
