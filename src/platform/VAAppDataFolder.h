// The application data folder: where the settings store, an installed FFmpeg and the
// caches live. "_APPDATA_OVERRIDE" wins; otherwise the XDG data home.
#pragma once

#include "XStr.h"

namespace VAAppDataFolder {

// Registered once at start-up; names shorter than two characters are ignored.
void registerAppName(const XStr& name);
XStr appName();

// The base folder without the application name.
XStr baseFolder();
// The base folder plus the registered name, when there is one.
XStr path();
// Creates the folder and any missing parents; the folder itself gets mode 0700.
bool ensureExists();

}  // namespace VAAppDataFolder
