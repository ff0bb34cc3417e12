// The start-up steps every program takes before the settings store is used and before any
// user interface starts.
#pragma once

#include "XStr.h"

namespace VAStartup {

constexpr const char* kAppName = "VantaroVideo";
constexpr const char* kStoreFileName = "XRegistry";
constexpr const char* kSettingsRoot = "HKCU";
constexpr const char* kSettingsKey = "Software\\Quillmere\\VantaroVideo";

// Registers the application name for the data folder, creates the folder (mode 0700, with
// any missing parents), points the store at the file "XRegistry" in it, whatever
// "XCLASS_XREGISTRY_LOCATION" held before, and makes HKCU\Software\Quillmere\VantaroVideo
// the default key. Answers the store's path.
XStr initSettingsStore();

// Lists this process's unfinished outputs in the data folder, and removes the unfinished
// outputs and private folders that killed runs of the program left behind.
void removeLeftovers();

}  // namespace VAStartup
