#include "VAStartup.h"

#include "VAAppDataFolder.h"
#include "XOutputFile.h"
#include "XPath.h"
#include "XPrivateFolder.h"
#include "XRegistry.h"

namespace VAStartup {

XStr initSettingsStore() {
    VAAppDataFolder::registerAppName(kAppName);
    // A folder that cannot be made leaves a store whose writes are not saved; the program
    // still runs on its defaults.
    VAAppDataFolder::ensureExists();
    const XStr store = XPath::join(VAAppDataFolder::path(), kStoreFileName);
    XRegistry::SetLocation(store, true);
    XRegistry::SetDefaultKey(kSettingsRoot, kSettingsKey);
    return store;
}

void removeLeftovers() {
    const XStr folder = VAAppDataFolder::path();
    XOutputFile::SetJournalFolder(folder);
    XOutputFile::RemoveLeftovers(folder);
    XPrivateFolder::removeLeftovers();
}

}  // namespace VAStartup
