// A plain TCP connection: non-blocking underneath, so that every wait is bounded by the time
// limit and the cancel switch. Writes never raise SIGPIPE.
#pragma once

#include "XTCPSocket.h"

class XTCPSocketStd : public XTCPSocket {
public:
    XTCPSocketStd() = default;
    ~XTCPSocketStd() override;

    // Tries every address the name resolves to, in order, within one time limit. The name
    // lookup itself is the system resolver's and keeps its own limits.
    bool Connect(const XStr& host, uint16_t port) override;
    bool Send(const void* bytes, std::size_t length) override;
    ssize_t Receive(void* buffer, std::size_t length) override;
    void Close() override;
    bool IsOpen() const override { return mFD >= 0; }

    int Descriptor() const { return mFD; }

private:
    bool ConnectTo(const void* address, unsigned addressLength, int family, uint32_t timeoutMs);

    int mFD = -1;
};
