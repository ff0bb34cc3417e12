#include "XHttpConnection.h"

#include "XBase64.h"
#include "XHttpResponseReader.h"
#include "XTCPSocketBuffered.h"
#include "XTCPSocketStd.h"
#include "XTCPSocket_SSL.h"

namespace {

// The header's name: what comes before its ":".
bool hasHeader(const XStrList& lines, const XStr& name) {
    for (const XStr& line : lines) {
        const std::size_t colon = line.find(U':');
        if (colon != XStr::npos && line.left(colon).trimmed().equalsNoCase(name)) {
            return true;
        }
    }
    return false;
}

XStr hostHeaderValue(const XParsedUrl& url) {
    return url.port == url.defaultPort()
               ? url.host
               : url.host + ":" + XStr::number(static_cast<unsigned>(url.port));
}

}  // namespace

XHttpConnection::XHttpConnection(XHttpSettings settings) : mSettings(std::move(settings)) {}

XHttpConnection::~XHttpConnection() {
    Close();
}

bool XHttpConnection::IsOpen() const {
    return mSocket && mSocket->IsOpen();
}

void XHttpConnection::Close() {
    if (mSocket) {
        mSocket->Close();
        mSocket.reset();
    }
}

bool XHttpConnection::Fail(const std::string& why) {
    mLastError = why;
    Close();
    return false;
}

XStr XHttpConnection::ProxyKey() const {
    return UsesProxy() ? mSettings.proxyHost + ":" +
                             XStr::number(static_cast<unsigned>(mSettings.proxyPort))
                       : XStr();
}

std::string XHttpConnection::ProxyAuthorization() const {
    if (mSettings.proxyUser.empty()) {
        return std::string();
    }
    const std::string credentials = (mSettings.proxyUser + ":" + mSettings.proxyPassword).utf8();
    return "Proxy-Authorization: Basic " + XBase64::encode(credentials.data(), credentials.size());
}

bool XHttpConnection::OpenTunnel(const XParsedUrl& url) {
    auto transport = std::make_unique<XTCPSocketStd>();
    transport->SetTimeoutMs(mSettings.timeoutMs);
    transport->SetCancel(mSettings.cancel);
    if (!transport->Connect(mSettings.proxyHost, mSettings.proxyPort)) {
        return Fail("proxy: " + transport->LastError());
    }
    const std::string authority =
        (url.host + ":" + XStr::number(static_cast<unsigned>(url.port))).utf8();
    std::string request = "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n";
    if (!mSettings.userAgent.empty()) {
        request += "User-Agent: " + mSettings.userAgent.utf8() + "\r\n";
    }
    if (const std::string auth = ProxyAuthorization(); !auth.empty()) {
        request += auth + "\r\n";
    }
    request += "\r\n";
    if (!transport->Send(request.data(), request.size())) {
        return Fail("proxy: " + transport->LastError());
    }
    // Read without a buffer: whatever follows the proxy's answer is the server's TLS.
    XHttpResponse answer;
    XHttpResponseReader::Options options;
    options.head = true;
    std::string error;
    if (!XHttpResponseReader::read(*transport, options, answer, &error)) {
        return Fail("proxy: " + error);
    }
    if (answer.status < 200 || answer.status > 299) {
        return Fail("proxy: the tunnel was refused with status " + std::to_string(answer.status));
    }
    auto tls = std::make_unique<XTCPSocketBuffered<XTCPSocket_SSL>>(std::move(transport));
    tls->SetTimeoutMs(mSettings.timeoutMs);
    tls->SetCancel(mSettings.cancel);
    if (!tls->StartTLS(url.host)) {
        return Fail(tls->LastError());
    }
    mSocket = std::move(tls);
    return true;
}

bool XHttpConnection::Open(const XParsedUrl& url) {
    Close();
    const XStr proxy = ProxyKey();
    if (UsesProxy() && url.tls) {
        if (!OpenTunnel(url)) {
            return false;
        }
    } else {
        std::unique_ptr<XTCPSocket> socket;
        if (url.tls) {
            socket = std::make_unique<XTCPSocketBuffered<XTCPSocket_SSL>>();
        } else {
            socket = std::make_unique<XTCPSocketBuffered<XTCPSocketStd>>();
        }
        socket->SetTimeoutMs(mSettings.timeoutMs);
        socket->SetCancel(mSettings.cancel);
        const bool connected = UsesProxy()
                                   ? socket->Connect(mSettings.proxyHost, mSettings.proxyPort)
                                   : socket->Connect(url.host, url.port);
        if (!connected) {
            return Fail((UsesProxy() ? "proxy: " : "") + socket->LastError());
        }
        mSocket = std::move(socket);
    }
    mConnectedTo = url;
    mConnectedProxy = proxy;
    return true;
}

std::string XHttpConnection::RequestText(const XParsedUrl& url) const {
    // Through a proxy without a tunnel, the proxy is told the whole URL.
    const bool absolute = UsesProxy() && !url.tls;
    const XStr target = absolute ? BuildUrl(url) : url.path;
    std::string text = method.utf8() + " " + target.utf8() + " " + version.utf8() + "\r\n";
    const bool get = method == "GET" || method == "HEAD";
    if (!get) {
        text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    XStrList lines;
    if (!mSettings.userAgent.empty() && !hasHeader(headers, "User-Agent") &&
        !hasHeader(mSettings.extraHeaders, "User-Agent")) {
        lines.push_back("User-Agent: " + mSettings.userAgent);
    }
    if (!hasHeader(headers, "Host") && !hasHeader(mSettings.extraHeaders, "Host")) {
        lines.push_back("Host: " + hostHeaderValue(url));
    }
    if (wantKeepAlive && version == "HTTP/1.0") {
        lines.push_back("Connection: keep-alive");
    } else if (!wantKeepAlive && version == "HTTP/1.1") {
        lines.push_back("Connection: close");
    }
    lines.insert(lines.end(), headers.begin(), headers.end());
    lines.insert(lines.end(), mSettings.extraHeaders.begin(), mSettings.extraHeaders.end());
    for (const XStr& line : lines) {
        // A line end inside a header would start a header (or a request) of its own.
        if (!line.empty() && !line.contains(U'\r') && !line.contains(U'\n')) {
            text += line.utf8() + "\r\n";
        }
    }
    if (absolute) {
        if (const std::string auth = ProxyAuthorization(); !auth.empty()) {
            text += auth + "\r\n";
        }
    }
    text += "\r\n";
    return text + body;
}

bool XHttpConnection::Exchange(const XParsedUrl& url) {
    const std::string request = RequestText(url);
    if (!mSocket->Send(request.data(), request.size())) {
        return Fail("sending the request: " + mSocket->LastError());
    }
    XHttpResponseReader::Options options;
    options.head = method == "HEAD";
    options.maxBodyLength = mSettings.maxBodyLength;
    options.progress = mSettings.progress;
    std::string error;
    if (!XHttpResponseReader::read(*mSocket, options, mResponse, &error)) {
        return Fail(error);
    }
    if (!mResponse.keepAlive || !wantKeepAlive) {
        Close();
    }
    return true;
}

bool XHttpConnection::Request(const XParsedUrl& url) {
    mLastError.clear();
    mResponse = XHttpResponse();
    if (mSettings.cancel && mSettings.cancel->die()) {
        return Fail("cancelled");
    }
    const XStr proxy = ProxyKey();
    const bool reuse = IsOpen() && mConnectedTo.tls == url.tls && mConnectedTo.host == url.host &&
                       mConnectedTo.port == url.port && mConnectedProxy == proxy;
    if (reuse) {
        if (Exchange(url)) {
            return true;
        }
        // The server may have closed the idle connection meanwhile: once more on a new one,
        // for requests that may be repeated.
        if ((method != "GET" && method != "HEAD") ||
            (mSettings.cancel && mSettings.cancel->die())) {
            return false;
        }
        mResponse = XHttpResponse();
    }
    if (!Open(url)) {
        return false;
    }
    return Exchange(url);
}
