#include "VAWebServer.h"

#include <cstdlib>

#include "XRegistry.h"

#ifndef VANTARO_WEB_SERVER_HOST
#define VANTARO_WEB_SERVER_HOST "www.quillmere.com"
#endif
#ifndef VANTARO_WEB_SERVER_SCHEME
#define VANTARO_WEB_SERVER_SCHEME "https"
#endif

namespace VAWebServer {

XStr defaultHost() {
    // A test run puts a loopback address here, so that no program it starts, whatever
    // store it was given, reaches beyond this machine.
    if (const char* host = std::getenv(kHostVariable); host != nullptr && *host != '\0') {
        return XStr(host);
    }
    return VANTARO_WEB_SERVER_HOST;
}

XStr defaultScheme() {
    return VANTARO_WEB_SERVER_SCHEME;
}

XStr host() {
    const XStr stored = XRegistry::GetString(kHostSetting).trimmed();
    return stored.empty() ? defaultHost() : stored;
}

XStr scheme() {
    const XStr stored = XRegistry::GetString(kSchemeSetting).trimmed().lowerASCII();
    return stored == "http" || stored == "https" ? stored : defaultScheme();
}

XStr url(const XStr& path) {
    return scheme() + "://" + host() + path;
}

}  // namespace VAWebServer
