#include "VCliVersionCheck.h"

#include "VADisplayText.h"
#include "VAVersionInfoGlobals.h"
#include "VAWebServer.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCUpdateLink.h"

int VCliVersionCheck::run(const XStr& ourVersion, std::ostream& out, std::ostream& err) {
    if (!VAVersionInfoGlobals::internetAllowed()) {
        VCliUsage::error(err, std::string("Not checked: the setting ") +
                                  VCliText::quoted(XStr(VAVersionInfoGlobals::kNoInternet)) +
                                  " keeps the program off the internet");
        return 1;
    }
    const std::optional<VAVersionInfo> info =
        VAVersionInfoGlobals::createWithAppName(VAVersionInfoGlobals::kAppUpdateCheckName)
            .getVersionInfo();
    if (!info) {
        VCliUsage::error(err, "The current version could not be learned from " +
                                  VCliText::quoted(VAWebServer::url("")));
        return 1;
    }
    if (info->Version == ourVersion) {
        out << "This is the current version.\n";
        return 0;
    }
    // The server's texts are shown as text, whatever they hold.
    out << VADisplayText::utf8(VMCUpdateLink::linkText(info->Version)) << ": "
        << VADisplayText::utf8(info->URL) << '\n';
    return 0;
}
