// A stream socket of the HTTP client: connect, send, receive and close, each bounded by the
// socket's time limit and ended early when its cancel switch is killed. Implementations are
// plain TCP (XTCPSocketStd), TLS over another socket (XTCPSocket_SSL), and a read buffer in
// front of either (XTCPSocketBuffered).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "KillSwitch.h"
#include "XStr.h"

class XTCPSocket {
public:
    static constexpr uint32_t kDefaultTimeoutMs = 20000;

    XTCPSocket() = default;
    virtual ~XTCPSocket() = default;
    XTCPSocket(const XTCPSocket&) = delete;
    XTCPSocket& operator=(const XTCPSocket&) = delete;

    // Closes what the socket held first. The time limit covers the whole connect.
    virtual bool Connect(const XStr& host, uint16_t port) = 0;
    // Succeeds only when every byte was sent.
    virtual bool Send(const void* bytes, std::size_t length) = 0;
    // Waits up to the time limit for data: answers the count received (at most length), 0
    // at the end of the stream, -1 on failure, time-out or cancel.
    virtual ssize_t Receive(void* buffer, std::size_t length) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // The limit of each connect, send and receive.
    virtual void SetTimeoutMs(uint32_t timeoutMs) { mTimeoutMs = timeoutMs; }
    uint32_t TimeoutMs() const { return mTimeoutMs; }
    virtual void SetCancel(std::shared_ptr<KillSwitch> cancel) { mCancel = std::move(cancel); }
    const std::shared_ptr<KillSwitch>& Cancel() const { return mCancel; }
    bool Cancelled() const { return mCancel && mCancel->die(); }

    // Why the last operation failed, for diagnostics and tests.
    const std::string& LastError() const { return mLastError; }

    // Receives exactly length bytes; false when the stream ends or fails before.
    bool ReceiveAll(void* buffer, std::size_t length);

protected:
    enum class Wait { kReady, kTimedOut, kCancelled, kFailed };
    // Waits until fd is ready for events (poll's POLLIN or POLLOUT), the time is up, or the
    // cancel switch is killed.
    Wait WaitFor(int fd, short events, uint32_t timeoutMs) const;
    void SetError(std::string text) { mLastError = std::move(text); }
    // The error of a failed wait, as LastError tells it.
    void SetWaitError(Wait wait, const char* what);

private:
    uint32_t mTimeoutMs = kDefaultTimeoutMs;
    std::shared_ptr<KillSwitch> mCancel;
    std::string mLastError;
};
