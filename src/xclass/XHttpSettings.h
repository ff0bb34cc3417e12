// What one HTTP request is made with: filled before use, belonging to one thread (only the
// cancel switch may be killed from another).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "KillSwitch.h"
#include "XStr.h"

struct XHttpSettings {
    static constexpr const char* kDefaultUserAgent = "Vantaro";

    XStr userAgent = kDefaultUserAgent;
    bool proxyOn = false;
    XStr proxyHost;
    uint16_t proxyPort = 80;
    XStr proxyUser;
    XStr proxyPassword;
    // The socket's limit for connecting and for each send and receive.
    uint32_t timeoutMs = 20000;
    // Requests made at most by one fetch, the first included.
    int attempts = 3;
    // Bytes of body kept; -1 keeps all.
    int64_t maxBodyLength = -1;
    // Looked at before every attempt and while connecting, sending and receiving.
    std::shared_ptr<KillSwitch> cancel;
    // "Name: value" lines added to every request.
    XStrList extraHeaders;
    // Called on the requesting thread as a body arrives: bytes so far, whole length or -1.
    std::function<void(int64_t received, int64_t total)> progress;

    // The proxy of the settings store (default key): "CD-Proxy" non-zero switches it on,
    // "CD-CDDBProxyServer", "CD-CDDBProxyPort" (text), "CD-CDDBProxyUser",
    // "CD-CDDBProxyPass".
    void readProxyFromStore();
    static XHttpSettings withStoredProxy();
};
