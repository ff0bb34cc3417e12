#include "VAStartup.h"

#include "VAAppDataFolder.h"
#include "XRegistry.h"

namespace VAStartup {

XStr initSettingsStore() {
    VAAppDataFolder::registerAppName(kAppName);
    // A folder that cannot be made leaves a store whose writes are not saved; the program
    // still runs on its defaults.
    VAAppDataFolder::ensureExists();
    const XStr store = VAAppDataFolder::join(VAAppDataFolder::path(), kStoreFileName);
    XRegistry::SetLocation(store, true);
    XRegistry::SetDefaultKey(kSettingsRoot, kSettingsKey);
    return store;
}

}  // namespace VAStartup
