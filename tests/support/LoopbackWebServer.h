// Points the program's web requests (update check, FFmpeg download) at a loopback server.
#pragma once

#include <string>

#include "LoopbackServer.h"
#include "VAWebServer.h"
#include "XRegistry.h"

inline void useLoopbackWebServer(const LoopbackServer& server) {
    XRegistry::SetString(VAWebServer::kHostSetting,
                         XStr("127.0.0.1:" + std::to_string(server.port())));
    XRegistry::SetString(VAWebServer::kSchemeSetting, "http");
}
