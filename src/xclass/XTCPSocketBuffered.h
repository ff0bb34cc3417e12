// A socket read through a buffer, so that reading a response's header block byte by byte
// costs one system call (or one TLS record) per buffer, not per byte.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "XTCPSocket.h"

template <class Socket>
class XTCPSocketBuffered : public Socket {
public:
    static constexpr std::size_t kBufferBytes = 32768;

    using Socket::Socket;

    ssize_t Receive(void* buffer, std::size_t length) override {
        if (mStart == mEnd) {
            if (length >= kBufferBytes) {
                // Large reads go straight into the caller's buffer.
                return Socket::Receive(buffer, length);
            }
            const ssize_t n = Socket::Receive(mBuffer.data(), kBufferBytes);
            if (n <= 0) {
                return n;
            }
            mStart = 0;
            mEnd = static_cast<std::size_t>(n);
        }
        const std::size_t take = std::min(length, mEnd - mStart);
        std::memcpy(buffer, mBuffer.data() + mStart, take);
        mStart += take;
        return static_cast<ssize_t>(take);
    }

    void Close() override {
        mStart = mEnd = 0;
        Socket::Close();
    }

    // Received but not read yet.
    std::size_t Buffered() const { return mEnd - mStart; }

private:
    std::vector<char> mBuffer = std::vector<char>(kBufferBytes);
    std::size_t mStart = 0;
    std::size_t mEnd = 0;
};
