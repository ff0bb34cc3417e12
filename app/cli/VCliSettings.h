// Where the program's scheduler settings come from.
#pragma once

#include <memory>

#include "VMCProgressDialog.h"

namespace VCliSettings {

// The one place the settings of the scheduler are made; none yet, so the scheduler keeps
// its defaults.
std::shared_ptr<VMCProgressSettings> makeSettings();

}  // namespace VCliSettings
