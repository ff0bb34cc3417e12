// The response reader on canned bytes: bodies of every kind, the limits, and when the
// connection may carry another request.
#include "XHttpResponseReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Hands out the bytes a few at a time, then the end of the stream.
class MemorySocket : public XTCPSocket {
public:
    MemorySocket(std::string bytes, std::size_t piece) : mBytes(std::move(bytes)), mPiece(piece) {}
    bool Connect(const XStr&, uint16_t) override { return true; }
    bool Send(const void*, std::size_t) override { return true; }
    ssize_t Receive(void* buffer, std::size_t length) override {
        const std::size_t n = std::min({length, mPiece, mBytes.size() - mAt});
        std::memcpy(buffer, mBytes.data() + mAt, n);
        mAt += n;
        return static_cast<ssize_t>(n);
    }
    void Close() override {}
    bool IsOpen() const override { return true; }
    std::size_t left() const { return mBytes.size() - mAt; }

private:
    std::string mBytes;
    std::size_t mPiece;
    std::size_t mAt = 0;
};

struct Row {
    const char* what;
    std::string bytes;
    bool ok;
    std::string body;
    bool keepAlive;
    int64_t maxBody = -1;
    bool incomplete = false;
    bool head = false;
};

const std::string k11 = "HTTP/1.1 200 OK\r\n";
const std::string k10 = "HTTP/1.0 200 OK\r\n";

const Row kRows[] = {
    {"length", k11 + "Content-Length: 5\r\n\r\nhello", true, "hello", true},
    {"length, rest not taken", k11 + "content-length:  3 \r\n\r\nabcdef", true, "abc", true},
    {"chunked", k11 + "Transfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n0\r\n\r\n", true, "Wiki",
     true},
    {"chunked, no trailer on a closing connection",
     k11 + "Transfer-Encoding: Chunked\r\nConnection: close\r\n\r\n4\r\nWiki\r\n0\r\n", true,
     "Wiki", false},
    {"chunked, several chunks and an extension",
     k11 + "Transfer-Encoding: chunked\r\n\r\n3;x=y\r\nabc\r\nA\r\n0123456789\r\n0\r\n\r\n", true,
     "abc0123456789", true},
    {"chunked, trailer lines",
     k11 + "Transfer-Encoding: chunked\r\n\r\n1\r\nz\r\n0\r\nT: 1\r\n\r\n", true, "z", true},
    {"chunk without its CR LF", k11 + "Transfer-Encoding: chunked\r\n\r\n4\r\nWikiX\r\n0\r\n\r\n",
     false, "", false},
    {"chunk without a size", k11 + "Transfer-Encoding: chunked\r\n\r\n;x\r\n", false, "", false},
    {"chunk size line too long",
     k11 + "Transfer-Encoding: chunked\r\n\r\n4" + std::string(300, ' ') + "\r\nWiki\r\n0\r\n\r\n",
     false, "", false},
    {"chunk over 16 MiB", k11 + "Transfer-Encoding: chunked\r\n\r\n1000001\r\n", false, "", false},
    {"chunk size that overflows",
     k11 + "Transfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFF\r\n", false, "", false},
    {"chunked body cut by the end", k11 + "Transfer-Encoding: chunked\r\n\r\n8\r\nabc", false, "",
     false},
    {"length longer than the stream", k11 + "Content-Length: 10\r\n\r\nabc", false, "", false},
    {"length that is no number", k11 + "Content-Length: 1e3\r\n\r\n", false, "", false},
    {"negative length", k11 + "Content-Length: -1\r\n\r\n", false, "", false},
    {"HTTP/1.0 runs to the end", k10 + "\r\nall of it", true, "all of it", false},
    {"HTTP/1.1 without length is empty", k11 + "\r\nnot mine", true, "", true},
    {"HTTP/1.1 with close runs to the end", k11 + "Connection: close\r\n\r\nall", true, "all",
     false},
    {"HTTP/1.0 with keep-alive is empty", k10 + "Connection: Keep-Alive\r\n\r\nnot mine", true, "",
     true},
    {"HTTP/1.0 with length closes", k10 + "Content-Length: 2\r\n\r\nok", true, "ok", false},
    {"head has no body", k11 + "Content-Length: 5\r\n\r\n", true, "", true, -1, false, true},
    {"no reason", "HTTP/1.1 204\r\n\r\n", true, "", true},
    {"not HTTP", "HTTX/1.1 200 OK\r\n\r\n", false, "", false},
    {"no status code", "HTTP/1.1\r\n\r\n", false, "", false},
    {"status code of letters", "HTTP/1.1 2x0 OK\r\n\r\n", false, "", false},
    {"status code too long", "HTTP/1.1 2000 OK\r\n\r\n", false, "", false},
    {"header block never ends", k11 + "Content-Length: 0\r\n", false, "", false},
    {"line feeds alone end nothing", "HTTP/1.1 200 OK\nContent-Length: 0\n\n", false, "", false},
    {"length over the maximum", k11 + "Content-Length: 10\r\n\r\n0123456789", true, "0123", false,
     4, true},
    {"length at the maximum", k11 + "Content-Length: 4\r\n\r\n0123", true, "0123", true, 4, false},
    {"chunks over the maximum",
     k11 + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n3\r\ndef\r\n0\r\n\r\n", true, "abcd",
     false, 4, true},
    {"to the end over the maximum", k10 + "\r\n0123456789", true, "01234", false, 5, true},
    {"maximum zero", k11 + "Content-Length: 3\r\n\r\nabc", true, "", false, 0, true},
};

TEST(XHttpResponseReader, BodiesLimitsAndKeepAlive) {
    for (const Row& row : kRows) {
        // One byte at a time and in larger pieces: where a read ends must not matter.
        for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{100000}}) {
            MemorySocket socket(row.bytes, piece);
            XHttpResponseReader::Options options;
            options.maxBodyLength = row.maxBody;
            options.head = row.head;
            XHttpResponse response;
            std::string error;
            const bool ok = XHttpResponseReader::read(socket, options, response, &error);
            EXPECT_EQ(ok, row.ok) << row.what << " / " << piece << ": " << error;
            if (!ok || !row.ok) {
                EXPECT_FALSE(error.empty()) << row.what;
                continue;
            }
            EXPECT_EQ(response.body, row.body) << row.what << " / " << piece;
            EXPECT_EQ(response.keepAlive, row.keepAlive) << row.what;
            EXPECT_EQ(response.bodyIncomplete, row.incomplete) << row.what;
        }
    }
}

TEST(XHttpResponseReader, StatusLineAndHeaders) {
    MemorySocket socket(
        "HTTP/1.1 404 Not Found Here\r\nX-One:  a b \r\nx-two:\r\nX-One: second\r\nbare\r\n"
        "Content-Length: 0\r\n\r\n",
        3);
    XHttpResponse response;
    ASSERT_TRUE(XHttpResponseReader::read(socket, {}, response));
    EXPECT_EQ(response.version, "HTTP/1.1");
    EXPECT_EQ(response.status, 404);
    EXPECT_EQ(response.reason, "Not Found Here");
    EXPECT_EQ(response.header("x-ONE"), "a b");
    EXPECT_EQ(response.header("X-Two"), "");
    EXPECT_EQ(response.header("X-Three"), std::nullopt);
    EXPECT_EQ(response.header("X-On"), std::nullopt);
    EXPECT_EQ(response.header("bare"), std::nullopt);
    EXPECT_EQ(response.headerLines.size(), 5u);
}

TEST(XHttpResponseReader, HeaderBlockUpTo65535Bytes) {
    // Padding brings the whole block (with its empty line) to the size wanted.
    const auto block = [](std::size_t size) {
        std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nX-Pad: ";
        head += std::string(size - head.size() - 4, 'p');
        return head + "\r\n\r\n";
    };
    for (const auto& [size, ok] :
         {std::pair{std::size_t{65535}, true}, std::pair{std::size_t{65536}, false},
          std::pair{std::size_t{200000}, false}}) {
        MemorySocket socket(block(size), 4096);
        XHttpResponse response;
        std::string error;
        EXPECT_EQ(XHttpResponseReader::read(socket, {}, response, &error), ok) << size;
        if (!ok) {
            EXPECT_EQ(error, "the header block is too long");
            // Nothing past the limit was read.
            EXPECT_EQ(socket.left(), size - XHttpResponseReader::kMaxHeaderBytes);
        }
    }
}

TEST(XHttpResponseReader, ReportsProgressAgainstTheLength) {
    const std::string body(200000, 'b');
    MemorySocket socket(k11 + "Content-Length: 200000\r\n\r\n" + body, 5000);
    std::vector<std::pair<int64_t, int64_t>> seen;
    XHttpResponseReader::Options options;
    options.progress = [&](int64_t received, int64_t total) { seen.emplace_back(received, total); };
    XHttpResponse response;
    ASSERT_TRUE(XHttpResponseReader::read(socket, options, response));
    ASSERT_GE(seen.size(), 2u);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].first, seen[i - 1].first);
    }
    EXPECT_EQ(seen.back(), std::make_pair(int64_t{200000}, int64_t{200000}));
    EXPECT_EQ(response.body, body);
}

}  // namespace
