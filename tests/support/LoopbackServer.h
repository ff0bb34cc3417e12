// A server on 127.0.0.1 for the tests of the HTTP client: it accepts connections one after
// the other on its own thread and hands each to the test's handler, plain or over TLS with
// the test's certificates. It never reaches beyond the loopback interface.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "TestCertificates.h"

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

class LoopbackServer {
public:
    class Connection {
    public:
        // The next request's header block with its empty line; empty once the client has
        // closed the connection (or the server stops).
        std::string readRequestHead();
        // Exactly count bytes; false when the connection ends first.
        bool readExactly(std::size_t count, std::string& bytes);
        // Everything until the client closes the connection.
        std::string readToEnd();
        bool write(std::string_view bytes);
        // Waits until the server stops: a server that never answers.
        void stall();
        // A proxy's work: connects to 127.0.0.1:port, sends first and whatever is read but
        // not taken yet, then passes bytes both ways until either side closes.
        bool relay(uint16_t port, const std::string& first);
        // The server name the client sent in its TLS greeting.
        std::string serverName() const;

    private:
        friend class LoopbackServer;
        Connection(LoopbackServer& server, int fd, SSL* ssl)
            : mServer(server), mFD(fd), mSSL(ssl) {}
        // Reads what is there; 0 at the end, -1 on failure or stop.
        long readSome(char* buffer, std::size_t length);

        LoopbackServer& mServer;
        int mFD;
        SSL* mSSL;
        std::string mPending;
    };
    using Handler = std::function<void(Connection&)>;

    // With certificates the server speaks TLS.
    explicit LoopbackServer(Handler handler, const TestCertificates* tls = nullptr);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t port() const { return mPort; }
    // "http://127.0.0.1:<port>" + path ("https" for TLS), or with another host name.
    std::string url(const std::string& path, const std::string& host = "127.0.0.1") const;
    // Connections accepted so far, and those whose TLS handshake failed.
    int accepted() const { return mAccepted; }
    int handshakesFailed() const { return mHandshakesFailed; }
    // Every request head read, in order.
    std::vector<std::string> requestHeads() const;
    // Ends stalls and reads, then the thread; the destructor does it too.
    void stop();

    // A whole response: status line, the headers, a Content-Length unless the headers
    // say "Transfer-Encoding", and the body.
    static std::string response(int status, const std::string& body,
                                const std::vector<std::string>& headers = {});
    // The first line's request target ("GET /a HTTP/1.0" gives "/a").
    static std::string targetOf(const std::string& head);
    // The value of a header in a request head, empty when absent.
    static std::string headerOf(const std::string& head, const std::string& name);

private:
    void run();
    void serve(int fd);

    Handler mHandler;
    SSL_CTX* mContext = nullptr;
    int mListenFD = -1;
    int mStopPipe[2] = {-1, -1};
    uint16_t mPort = 0;
    std::atomic<int> mAccepted{0};
    std::atomic<int> mHandshakesFailed{0};
    mutable std::mutex mMutex;
    std::vector<std::string> mHeads;
    std::thread mThread;
};
