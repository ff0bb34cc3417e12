// TLS over another socket (plain TCP, or a tunnel through a proxy). The server's certificate
// chain is verified against the system's trusted certificates (and those a test adds), its
// name against the host connected to, which is also sent as the server name (SNI). Every
// byte goes through the transport, so its time limit and cancel switch hold for TLS too.
#pragma once

#include <memory>
#include <string>

#include "XTCPSocket.h"

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

class XTCPSocket_SSL : public XTCPSocket {
public:
    // A new plain TCP transport.
    XTCPSocket_SSL();
    explicit XTCPSocket_SSL(std::unique_ptr<XTCPSocket> transport);
    ~XTCPSocket_SSL() override;

    // Connects the transport, then shakes hands with the host.
    bool Connect(const XStr& host, uint16_t port) override;
    // The handshake alone, over a transport that is connected already (a proxy's tunnel).
    bool StartTLS(const XStr& host);
    bool Send(const void* bytes, std::size_t length) override;
    ssize_t Receive(void* buffer, std::size_t length) override;
    // Says goodbye (without waiting for the answer) and closes the transport.
    void Close() override;
    bool IsOpen() const override { return mSSL != nullptr; }

    void SetTimeoutMs(uint32_t timeoutMs) override;
    void SetCancel(std::shared_ptr<KillSwitch> cancel) override;

    XTCPSocket& Transport() { return *mTransport; }

    // Certificates (PEM, one or more) trusted beside the system's by every connection made
    // afterwards; empty trusts the system's alone. For tests, which make their own CA.
    static void SetExtraTrustedCertificates(const std::string& pem);

private:
    void Release();
    void SetSSLError(const std::string& what, int result);

    std::unique_ptr<XTCPSocket> mTransport;
    SSL_CTX* mContext = nullptr;
    SSL* mSSL = nullptr;
    bool mFatal = false;
};
