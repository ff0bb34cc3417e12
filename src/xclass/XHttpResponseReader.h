// Reads one HTTP/1.x response from a socket: the header block, then the body as the
// headers describe it (chunked, of a given length, or up to the end of the connection).
// Everything it reads comes from a server nobody vouches for: every size is bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "XHttpResponse.h"
#include "XTCPSocket.h"

class XHttpResponseReader {
public:
    static constexpr std::size_t kHeaderBufferBytes = 16384;
    static constexpr std::size_t kMaxHeaderBytes = 65535;
    static constexpr std::size_t kMaxChunkLineBytes = 256;
    static constexpr int64_t kMaxChunkBytes = 16777216;
    static constexpr std::size_t kMaxFirstBodyBuffer = 524288;

    struct Options {
        // The answer to a HEAD request has no body.
        bool head = false;
        // Bytes of body kept; -1 keeps all.
        int64_t maxBodyLength = -1;
        // Called as the body arrives: bytes so far, and the whole length when known (else -1).
        std::function<void(int64_t received, int64_t total)> progress;
    };

    // False for a malformed or oversized response and when the socket fails; error (when
    // given) then says why.
    static bool read(XTCPSocket& socket, const Options& options, XHttpResponse& response,
                     std::string* error = nullptr);

    // The header block up to and including the empty line, read byte by byte so that not
    // one byte of the body is taken.
    static bool readHeaderBlock(XTCPSocket& socket, std::string& block, std::string* error);
    // The status line and header lines of a block, and whether the connection stays open.
    static bool parseHeaderBlock(const std::string& block, XHttpResponse& response,
                                 std::string* error);
};
