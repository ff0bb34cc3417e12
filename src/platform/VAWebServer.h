// The maker's web server, where the FFmpeg download and the version list live. Its host
// name (with an optional ":port") and its scheme are settings of the store, so that a
// company mirror or a test's loopback server can stand in; the defaults are compiled in.
#pragma once

#include "XStr.h"

namespace VAWebServer {

constexpr const char* kHostSetting = "WebServerHost";
constexpr const char* kSchemeSetting = "WebServerScheme";
// The environment's stand-in for the compiled-in host (tests).
constexpr const char* kHostVariable = "VANTARO_WEB_SERVER_HOST";

// The setting, else the compiled-in default.
XStr host();
// "http" or "https": the setting when it is one of them (any case), else the default.
XStr scheme();
// scheme://host + path (path begins with "/").
XStr url(const XStr& path);

// What the build was configured with (or VANTARO_WEB_SERVER_HOST when set).
XStr defaultHost();
XStr defaultScheme();

}  // namespace VAWebServer
