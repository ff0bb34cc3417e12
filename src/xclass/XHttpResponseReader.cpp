#include "XHttpResponseReader.h"

#include <algorithm>

#include "XCase.h"

namespace {

constexpr std::size_t kReadPieceBytes = 65536;

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) {
        *error = why;
    }
    return false;
}

bool failSocket(std::string* error, const XTCPSocket& socket, const char* what) {
    return fail(error, std::string(what) + ": " +
                           (socket.LastError().empty() ? "the connection ended early"
                                                       : socket.LastError()));
}

bool equalsNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (XCase::lower(a[i]) != XCase::lower(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == 0;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The body as it grows: bounded by the maximum, reserving ahead so that appending stays cheap.
class BodyBuffer {
public:
    BodyBuffer(std::string& body, const XHttpResponseReader::Options& options)
        : mBody(body), mOptions(options) {}

    // Room left before the maximum; -1 without one.
    int64_t room() const {
        return mOptions.maxBodyLength < 0
                   ? -1
                   : std::max<int64_t>(0,
                                       mOptions.maxBodyLength - static_cast<int64_t>(mBody.size()));
    }
    void reserveFirst(int64_t length) {
        int64_t want = std::min<int64_t>(length, XHttpResponseReader::kMaxFirstBodyBuffer);
        if (mOptions.maxBodyLength >= 0) {
            want = std::min(want, mOptions.maxBodyLength);
        }
        mBody.reserve(static_cast<std::size_t>(std::max<int64_t>(want, 0)));
    }
    // Makes room for count more bytes: twice the buffer, at least the first buffer's size,
    // never beyond the maximum.
    void growFor(std::size_t count) {
        const std::size_t need = mBody.size() + count;
        if (need <= mBody.capacity()) {
            return;
        }
        std::size_t next = std::max(mBody.capacity() * 2, XHttpResponseReader::kMaxFirstBodyBuffer);
        next = std::max(next, need);
        if (mOptions.maxBodyLength >= 0) {
            next = std::min(next, static_cast<std::size_t>(mOptions.maxBodyLength));
        }
        mBody.reserve(std::max(next, need));
    }
    // Receives up to count bytes into the body; answers the count, or -1 on failure or end.
    bool receive(XTCPSocket& socket, std::size_t count, int64_t total) {
        const std::size_t old = mBody.size();
        growFor(count);
        mBody.resize(old + count);
        const bool ok = socket.ReceiveAll(mBody.data() + old, count);
        if (!ok) {
            mBody.resize(old);
            return false;
        }
        report(total);
        return true;
    }
    // Reads and forgets count bytes (a part beyond the maximum is not kept).
    static bool skip(XTCPSocket& socket, std::size_t count) {
        char scratch[4096];
        while (count > 0) {
            const std::size_t n = std::min(count, sizeof scratch);
            if (!socket.ReceiveAll(scratch, n)) {
                return false;
            }
            count -= n;
        }
        return true;
    }
    void report(int64_t total) const {
        if (mOptions.progress) {
            mOptions.progress(static_cast<int64_t>(mBody.size()), total);
        }
    }

private:
    std::string& mBody;
    const XHttpResponseReader::Options& mOptions;
};

// One line ending in CR LF, of at most limit bytes with its line end; the line end is not kept.
bool readLine(XTCPSocket& socket, std::size_t limit, std::string& line, std::string* error) {
    line.clear();
    char c = 0;
    while (line.size() < limit) {
        if (!socket.ReceiveAll(&c, 1)) {
            return failSocket(error, socket, "reading a line");
        }
        line += c;
        if (line.size() >= 2 && line[line.size() - 2] == '\r' && c == '\n') {
            line.resize(line.size() - 2);
            return true;
        }
    }
    return fail(error, "a line is too long");
}

bool readLengthBody(XTCPSocket& socket, int64_t length, const XHttpResponseReader::Options& o,
                    XHttpResponse& r, std::string* error) {
    BodyBuffer body(r.body, o);
    body.reserveFirst(length);
    int64_t left = length;
    while (left > 0) {
        const int64_t room = body.room();
        if (room == 0) {
            // The rest is not wanted; it is not read either, so the connection cannot
            // carry another request.
            r.bodyIncomplete = true;
            r.keepAlive = false;
            return true;
        }
        std::size_t piece = static_cast<std::size_t>(std::min<int64_t>(left, kReadPieceBytes));
        if (room > 0) {
            piece = std::min(piece, static_cast<std::size_t>(room));
        }
        if (!body.receive(socket, piece, length)) {
            return failSocket(error, socket, "reading the body");
        }
        left -= static_cast<int64_t>(piece);
    }
    return true;
}

bool readBodyToEnd(XTCPSocket& socket, const XHttpResponseReader::Options& o, XHttpResponse& r,
                   std::string* error) {
    BodyBuffer body(r.body, o);
    char piece[kReadPieceBytes];
    for (;;) {
        const ssize_t n = socket.Receive(piece, sizeof piece);
        if (n == 0) {
            return true;
        }
        if (n < 0) {
            return failSocket(error, socket, "reading the body");
        }
        std::size_t keep = static_cast<std::size_t>(n);
        const int64_t room = body.room();
        if (room >= 0 && static_cast<int64_t>(keep) > room) {
            keep = static_cast<std::size_t>(room);
            r.bodyIncomplete = true;
        }
        body.growFor(keep);
        r.body.append(piece, keep);
        body.report(-1);
        if (r.bodyIncomplete) {
            return true;
        }
    }
}

bool readChunkedBody(XTCPSocket& socket, const XHttpResponseReader::Options& o, XHttpResponse& r,
                     std::string* error) {
    BodyBuffer body(r.body, o);
    std::string line;
    for (;;) {
        if (!readLine(socket, XHttpResponseReader::kMaxChunkLineBytes, line, error)) {
            return false;
        }
        // Hexadecimal digits; what follows them (extensions after ";") is not for us.
        int64_t size = 0;
        std::size_t digits = 0;
        while (digits < line.size() && hexDigit(line[digits]) >= 0) {
            size = size * 16 + hexDigit(line[digits]);
            ++digits;
            if (size > XHttpResponseReader::kMaxChunkBytes) {
                return fail(error, "a chunk is too large");
            }
        }
        if (digits == 0) {
            return fail(error, "a chunk has no size");
        }
        if (size == 0) {
            break;
        }
        auto count = static_cast<std::size_t>(size);
        const int64_t room = body.room();
        std::size_t keep = count;
        if (room >= 0 && static_cast<int64_t>(keep) > room) {
            keep = static_cast<std::size_t>(room);
        }
        while (keep > 0) {
            const std::size_t piece = std::min(keep, kReadPieceBytes);
            if (!body.receive(socket, piece, -1)) {
                return failSocket(error, socket, "reading a chunk");
            }
            keep -= piece;
            count -= piece;
        }
        if (count > 0) {
            r.bodyIncomplete = true;
            r.keepAlive = false;
            return true;
        }
        char end[2];
        if (!socket.ReceiveAll(end, 2)) {
            return failSocket(error, socket, "reading a chunk");
        }
        if (end[0] != '\r' || end[1] != '\n') {
            return fail(error, "a chunk does not end in CR LF");
        }
    }
    if (r.keepAlive) {
        // The trailer, up to its empty line, belongs to this response; left unread it would
        // be taken for the next one's status line. When it cannot be read the connection
        // is simply not used again.
        std::size_t total = 0;
        for (;;) {
            std::string none;
            if (!readLine(socket, XHttpResponseReader::kMaxHeaderBytes - total, line, &none)) {
                r.keepAlive = false;
                break;
            }
            if (line.empty()) {
                break;
            }
            total += line.size() + 2;
        }
    }
    return true;
}

}  // namespace

bool XHttpResponseReader::readHeaderBlock(XTCPSocket& socket, std::string& block,
                                          std::string* error) {
    block.clear();
    block.reserve(kHeaderBufferBytes);
    char c = 0;
    for (;;) {
        if (block.size() >= kMaxHeaderBytes) {
            return fail(error, "the header block is too long");
        }
        if (!socket.ReceiveAll(&c, 1)) {
            return failSocket(error, socket, "reading the header block");
        }
        if (block.size() == block.capacity()) {
            block.reserve(block.capacity() * 2);
        }
        block += c;
        const std::size_t n = block.size();
        if (n >= 4 && c == '\n' && block.compare(n - 4, 4, "\r\n\r\n") == 0) {
            return true;
        }
    }
}

bool XHttpResponseReader::parseHeaderBlock(const std::string& block, XHttpResponse& response,
                                           std::string* error) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < block.size()) {
        const std::size_t end = block.find("\r\n", at);
        const std::size_t stop = end == std::string::npos ? block.size() : end;
        lines.push_back(block.substr(at, stop - at));
        at = end == std::string::npos ? block.size() : end + 2;
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    if (lines.empty() || lines.front().compare(0, 5, "HTTP/") != 0) {
        return fail(error, "the response does not begin with a status line");
    }
    // "HTTP/1.1 200 OK": version, code and reason, each after a single blank.
    const std::string& status = lines.front();
    const std::size_t first = status.find(' ');
    if (first == std::string::npos) {
        return fail(error, "the status line has no status code");
    }
    const std::size_t second = status.find(' ', first + 1);
    const std::string code = status.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (code.size() != 3 ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return fail(error, "the status code is not three digits");
    }
    response.version = XStr::fromUtf8(status.substr(0, first));
    response.status = std::stoi(code);
    response.reason =
        second == std::string::npos ? XStr() : XStr::fromUtf8(status.substr(second + 1));
    response.headerLines.assign(lines.begin() + 1, lines.end());
    const std::string connection = response.header("Connection").value_or("");
    response.keepAlive =
        !equalsNoCase(connection, "close") && (equalsNoCase(connection, "keep-alive") ||
                                               equalsNoCase(response.version.utf8(), "HTTP/1.1"));
    return true;
}

bool XHttpResponseReader::read(XTCPSocket& socket, const Options& options, XHttpResponse& response,
                               std::string* error) {
    response = XHttpResponse();
    std::string block;
    if (!readHeaderBlock(socket, block, error) || !parseHeaderBlock(block, response, error)) {
        return false;
    }
    if (options.head) {
        return true;
    }
    if (equalsNoCase(response.header("Transfer-Encoding").value_or(""), "chunked")) {
        return readChunkedBody(socket, options, response, error);
    }
    if (const std::optional<std::string> length = response.header("Content-Length")) {
        if (length->empty() || length->size() > 18 ||
            !std::all_of(length->begin(), length->end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            return fail(error, "the content length is no number");
        }
        return readLengthBody(socket, std::stoll(*length), options, response, error);
    }
    if (response.keepAlive) {
        return true;
    }
    return readBodyToEnd(socket, options, response, error);
}
