// A server's response is outside input: whatever bytes arrive, the reader must neither crash
// nor keep more than it was allowed, and where the bytes happen to be cut into reads must
// not change what it makes of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "XHttpResponseReader.h"

namespace {

class MemorySocket : public XTCPSocket {
public:
    MemorySocket(const uint8_t* data, std::size_t size, std::size_t piece)
        : mData(data), mSize(size), mPiece(piece) {}
    bool Connect(const XStr&, uint16_t) override { return true; }
    bool Send(const void*, std::size_t) override { return true; }
    ssize_t Receive(void* buffer, std::size_t length) override {
        const std::size_t n = std::min({length, mPiece, mSize - mAt});
        std::memcpy(buffer, mData + mAt, n);
        mAt += n;
        return static_cast<ssize_t>(n);
    }
    void Close() override {}
    bool IsOpen() const override { return true; }

private:
    const uint8_t* mData;
    std::size_t mSize;
    std::size_t mPiece;
    std::size_t mAt = 0;
};

struct Outcome {
    bool ok = false;
    XHttpResponse response;
};

Outcome readWith(const uint8_t* data, std::size_t size, std::size_t piece,
                 const XHttpResponseReader::Options& options) {
    MemorySocket socket(data, size, piece);
    Outcome outcome;
    outcome.ok = XHttpResponseReader::read(socket, options, outcome.response);
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes choose how the bytes are read: the size of each read, whether the
    // request was HEAD, and a maximum body length.
    const std::size_t piece = 1 + (data[0] & 0x3F);
    XHttpResponseReader::Options options;
    options.head = (data[0] & 0x40) != 0;
    options.maxBodyLength = (data[0] & 0x80) != 0 ? data[1] * 64 : -1;
    int64_t lastReported = -1;
    options.progress = [&](int64_t received, int64_t) {
        if (received < lastReported ||
            (options.maxBodyLength >= 0 && received > options.maxBodyLength)) {
            std::abort();
        }
        lastReported = received;
    };
    data += 2;
    size -= 2;
    const Outcome cut = readWith(data, size, piece, options);
    lastReported = -1;
    const Outcome whole = readWith(data, size, size + 1, options);
    if (cut.ok != whole.ok) {
        std::abort();
    }
    if (!cut.ok) {
        return 0;
    }
    const XHttpResponse& a = cut.response;
    const XHttpResponse& b = whole.response;
    if (a.status != b.status || a.body != b.body || a.keepAlive != b.keepAlive ||
        a.bodyIncomplete != b.bodyIncomplete || a.headerLines != b.headerLines) {
        std::abort();
    }
    if (a.status < 0 || a.status > 999 || (options.head && !a.body.empty()) ||
        a.body.size() > size ||
        (options.maxBodyLength >= 0 &&
         static_cast<int64_t>(a.body.size()) > options.maxBodyLength) ||
        (a.bodyIncomplete && static_cast<int64_t>(a.body.size()) != options.maxBodyLength)) {
        std::abort();
    }
    return 0;
}
