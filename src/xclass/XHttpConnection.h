// One connection of the HTTP client: makes a request to a URL and reads its response,
// keeping the socket for the next request to the same host, port and proxy when both sides
// allow it. Plain or TLS, directly or through the settings' HTTP proxy (TLS through a
// CONNECT tunnel, so the proxy never sees the request).
#pragma once

#include <memory>
#include <string>

#include "XHttpResponse.h"
#include "XHttpSettings.h"
#include "XTCPSocket.h"
#include "XUrl.h"

class XHttpConnection {
public:
    explicit XHttpConnection(XHttpSettings settings);
    ~XHttpConnection();
    XHttpConnection(const XHttpConnection&) = delete;
    XHttpConnection& operator=(const XHttpConnection&) = delete;

    // The request; headers are "Name: value" lines.
    XStr method = "GET";
    XStr version = "HTTP/1.0";
    bool wantKeepAlive = false;
    XStrList headers;
    std::string body;

    // Sends the request to the URL and reads the response. False when the connection, the
    // request or the response fails (lastError says why); a response of any status is a
    // success here.
    bool Request(const XParsedUrl& url);
    const XHttpResponse& Response() const { return mResponse; }
    std::string TakeBody() { return std::move(mResponse.body); }
    const std::string& LastError() const { return mLastError; }

    bool IsOpen() const;
    void Close();

    // The request as it goes on the wire (proxy or not).
    std::string RequestText(const XParsedUrl& url) const;

private:
    bool Open(const XParsedUrl& url);
    bool OpenTunnel(const XParsedUrl& url);
    bool Exchange(const XParsedUrl& url);
    bool UsesProxy() const { return mSettings.proxyOn; }
    // The proxy as "host:port"; empty without one.
    XStr ProxyKey() const;
    std::string ProxyAuthorization() const;
    bool Fail(const std::string& why);

    XHttpSettings mSettings;
    std::unique_ptr<XTCPSocket> mSocket;
    // What the open socket is connected to.
    XParsedUrl mConnectedTo;
    XStr mConnectedProxy;
    XHttpResponse mResponse;
    std::string mLastError;
};
