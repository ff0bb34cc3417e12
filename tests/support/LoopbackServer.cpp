#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>

namespace {

X509* certFromPem(const std::string& pem) {
    BIO* in = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    X509* cert = PEM_read_bio_X509(in, nullptr, nullptr, nullptr);
    BIO_free(in);
    return cert;
}

EVP_PKEY* keyFromPem(const std::string& pem) {
    BIO* in = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    EVP_PKEY* key = PEM_read_bio_PrivateKey(in, nullptr, nullptr, nullptr);
    BIO_free(in);
    return key;
}

bool lowerEquals(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

LoopbackServer::LoopbackServer(Handler handler, const TestCertificates* tls)
    : mHandler(std::move(handler)) {
    if (tls != nullptr) {
        mContext = SSL_CTX_new(TLS_server_method());
        X509* cert = certFromPem(tls->serverCertPem);
        EVP_PKEY* key = keyFromPem(tls->serverKeyPem);
        if (mContext == nullptr || cert == nullptr || key == nullptr ||
            SSL_CTX_use_certificate(mContext, cert) != 1 ||
            SSL_CTX_use_PrivateKey(mContext, key) != 1) {
            throw std::runtime_error("TLS server set-up failed");
        }
        X509_free(cert);
        EVP_PKEY_free(key);
    }
    if (pipe2(mStopPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    mListenFD = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (mListenFD < 0 ||
        bind(mListenFD, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(mListenFD, 16) != 0 ||
        getsockname(mListenFD, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("listen failed");
    }
    mPort = ntohs(address.sin_port);
    mThread = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer() {
    stop();
    close(mListenFD);
    close(mStopPipe[0]);
    close(mStopPipe[1]);
    if (mContext != nullptr) {
        SSL_CTX_free(mContext);
    }
}

void LoopbackServer::stop() {
    if (mThread.joinable()) {
        const char byte = 1;
        (void)!write(mStopPipe[1], &byte, 1);
        mThread.join();
    }
}

std::string LoopbackServer::url(const std::string& path, const std::string& host) const {
    return std::string(mContext != nullptr ? "https://" : "http://") + host + ":" +
           std::to_string(mPort) + path;
}

std::vector<std::string> LoopbackServer::requestHeads() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mHeads;
}

void LoopbackServer::run() {
    for (;;) {
        pollfd fds[2] = {{mListenFD, POLLIN, 0}, {mStopPipe[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        const int fd = accept4(mListenFD, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        ++mAccepted;
        serve(fd);
        close(fd);
    }
}

void LoopbackServer::serve(int fd) {
    // A client that stops half-way through a handshake or a large answer must not keep the
    // server (and the test's end) waiting for ever.
    const timeval limit{60, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    SSL* ssl = nullptr;
    if (mContext != nullptr) {
        ssl = SSL_new(mContext);
        SSL_set_fd(ssl, fd);
        if (SSL_accept(ssl) != 1) {
            ++mHandshakesFailed;
            ERR_clear_error();
            SSL_free(ssl);
            return;
        }
    }
    Connection connection(*this, fd, ssl);
    mHandler(connection);
    if (ssl != nullptr) {
        SSL_shutdown(ssl);
        SSL_free(ssl);
        ERR_clear_error();
    }
}

long LoopbackServer::Connection::readSome(char* buffer, std::size_t length) {
    if (mSSL == nullptr || SSL_pending(mSSL) == 0) {
        pollfd fds[2] = {{mFD, POLLIN, 0}, {mServer.mStopPipe[0], POLLIN, 0}};
        while (poll(fds, 2, -1) < 0) {
            if (errno != EINTR) {
                return -1;
            }
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return -1;
        }
    }
    if (mSSL != nullptr) {
        const int n = SSL_read(mSSL, buffer, static_cast<int>(length));
        if (n <= 0) {
            ERR_clear_error();
            return SSL_get_error(mSSL, n) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
        }
        return n;
    }
    return static_cast<long>(recv(mFD, buffer, length, 0));
}

std::string LoopbackServer::Connection::readRequestHead() {
    for (;;) {
        const std::size_t end = mPending.find("\r\n\r\n");
        if (end != std::string::npos) {
            std::string head = mPending.substr(0, end + 4);
            mPending.erase(0, end + 4);
            std::lock_guard<std::mutex> lock(mServer.mMutex);
            mServer.mHeads.push_back(head);
            return head;
        }
        char buffer[4096];
        const long n = readSome(buffer, sizeof buffer);
        if (n <= 0) {
            return std::string();
        }
        mPending.append(buffer, static_cast<std::size_t>(n));
    }
}

bool LoopbackServer::Connection::readExactly(std::size_t count, std::string& bytes) {
    while (mPending.size() < count) {
        char buffer[4096];
        const long n = readSome(buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        mPending.append(buffer, static_cast<std::size_t>(n));
    }
    bytes = mPending.substr(0, count);
    mPending.erase(0, count);
    return true;
}

std::string LoopbackServer::Connection::readToEnd() {
    for (;;) {
        char buffer[4096];
        const long n = readSome(buffer, sizeof buffer);
        if (n <= 0) {
            return std::move(mPending);
        }
        mPending.append(buffer, static_cast<std::size_t>(n));
    }
}

bool LoopbackServer::Connection::write(std::string_view bytes) {
    while (!bytes.empty()) {
        long n;
        if (mSSL != nullptr) {
            n = SSL_write(mSSL, bytes.data(), static_cast<int>(bytes.size()));
            if (n <= 0) {
                ERR_clear_error();
                return false;
            }
        } else {
            n = send(mFD, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void LoopbackServer::Connection::stall() {
    pollfd stop{mServer.mStopPipe[0], POLLIN, 0};
    while (poll(&stop, 1, -1) < 0 && errno == EINTR) {
    }
}

bool LoopbackServer::Connection::relay(uint16_t port, const std::string& first) {
    const int other = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (other < 0 || connect(other, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (other >= 0) {
            close(other);
        }
        return false;
    }
    const std::string start = first + mPending;
    mPending.clear();
    bool ok =
        send(other, start.data(), start.size(), MSG_NOSIGNAL) == static_cast<long>(start.size());
    while (ok) {
        pollfd fds[3] = {{mFD, POLLIN, 0}, {other, POLLIN, 0}, {mServer.mStopPipe[0], POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            ok = errno == EINTR;
            continue;
        }
        if ((fds[2].revents & POLLIN) != 0) {
            break;
        }
        char buffer[16384];
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const long n = recv(mFD, buffer, sizeof buffer, 0);
            ok = n > 0 && send(other, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL) == n;
        }
        if (ok && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const long n = recv(other, buffer, sizeof buffer, 0);
            ok = n > 0 && write(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
    }
    close(other);
    return true;
}

std::string LoopbackServer::Connection::serverName() const {
    const char* name =
        mSSL != nullptr ? SSL_get_servername(mSSL, TLSEXT_NAMETYPE_host_name) : nullptr;
    return name != nullptr ? name : "";
}

std::string LoopbackServer::response(int status, const std::string& body,
                                     const std::vector<std::string>& headers) {
    std::string text = "HTTP/1.1 " + std::to_string(status) + " Status\r\n";
    bool chunked = false;
    for (const std::string& h : headers) {
        chunked = chunked || h.rfind("Transfer-Encoding", 0) == 0;
        text += h + "\r\n";
    }
    if (!chunked) {
        text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    return text + "\r\n" + body;
}

std::string LoopbackServer::targetOf(const std::string& head) {
    const std::size_t first = head.find(' ');
    const std::size_t second = head.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        return std::string();
    }
    return head.substr(first + 1, second - first - 1);
}

std::string LoopbackServer::headerOf(const std::string& head, const std::string& name) {
    std::size_t at = head.find("\r\n");
    while (at != std::string::npos && at + 2 < head.size()) {
        const std::size_t end = head.find("\r\n", at + 2);
        const std::string line = head.substr(at + 2, end - at - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos && lowerEquals(line.substr(0, colon), name)) {
            std::size_t v = colon + 1;
            while (v < line.size() && line[v] == ' ') {
                ++v;
            }
            return line.substr(v);
        }
        at = end;
    }
    return std::string();
}
