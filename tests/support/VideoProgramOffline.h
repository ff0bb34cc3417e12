// The desktop program a test or a benchmark starts opens its launcher, whose update check
// would ask the maker's web server for a newer version. Nothing but the loopback interface
// is ever contacted: the settings store of the data folder the child is given turns the
// check off before the child starts.
#pragma once

#include <sys/stat.h>

#include <string>

#include "TestSupport.h"
#include "VAStartup.h"
#include "VAVersionInfoGlobals.h"
#include "XRegistry.h"

// appDataOverride: what the child gets as "_APPDATA_OVERRIDE".
inline void keepVideoProgramOffline(const std::string& appDataOverride) {
    const std::string folder = appDataOverride + "/" + VAStartup::kAppName;
    mkdir(appDataOverride.c_str(), 0700);
    mkdir(folder.c_str(), 0700);
    const ScopedEnv store("XCLASS_XREGISTRY_LOCATION",
                          (folder + "/" + VAStartup::kStoreFileName).c_str());
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1, XStr(VAStartup::kSettingsRoot),
                        XStr(VAStartup::kSettingsKey));
}
