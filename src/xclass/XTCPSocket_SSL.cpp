#include "XTCPSocket_SSL.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <climits>
#include <mutex>

#include "XTCPSocketStd.h"

namespace {

std::mutex gExtraMutex;
std::string gExtraPEM;

// The transport as OpenSSL sees it: each read and write of OpenSSL becomes one Receive or
// Send of the transport, which waits within its limits; nothing is ever "retry later".
int transportWrite(BIO* bio, const char* bytes, int length) {
    BIO_clear_retry_flags(bio);
    auto* transport = static_cast<XTCPSocket*>(BIO_get_data(bio));
    if (transport == nullptr || length < 0) {
        return -1;
    }
    return transport->Send(bytes, static_cast<std::size_t>(length)) ? length : -1;
}

int transportRead(BIO* bio, char* buffer, int length) {
    BIO_clear_retry_flags(bio);
    auto* transport = static_cast<XTCPSocket*>(BIO_get_data(bio));
    if (transport == nullptr || length <= 0) {
        return -1;
    }
    return static_cast<int>(transport->Receive(buffer, static_cast<std::size_t>(length)));
}

long transportControl(BIO*, int command, long, void*) {
    // Writes go out at once, so a flush has nothing to do; nothing else is supported.
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

int transportCreate(BIO* bio) {
    BIO_set_init(bio, 1);
    return 1;
}

int transportDestroy(BIO*) {
    return 1;
}

BIO_METHOD* transportMethod() {
    static BIO_METHOD* method = [] {
        BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "XTCPSocket");
        if (m != nullptr) {
            BIO_meth_set_write(m, transportWrite);
            BIO_meth_set_read(m, transportRead);
            BIO_meth_set_ctrl(m, transportControl);
            BIO_meth_set_create(m, transportCreate);
            BIO_meth_set_destroy(m, transportDestroy);
        }
        return m;
    }();
    return method;
}

bool addExtraCertificates(SSL_CTX* context) {
    std::string pem;
    {
        std::lock_guard<std::mutex> lock(gExtraMutex);
        pem = gExtraPEM;
    }
    if (pem.empty()) {
        return true;
    }
    BIO* in = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    if (in == nullptr) {
        return false;
    }
    X509_STORE* store = SSL_CTX_get_cert_store(context);
    bool any = false;
    while (X509* cert = PEM_read_bio_X509(in, nullptr, nullptr, nullptr)) {
        any = X509_STORE_add_cert(store, cert) == 1 || any;
        X509_free(cert);
    }
    // The loop ends on a "no start line" error, which is no error here.
    ERR_clear_error();
    BIO_free(in);
    return any;
}

bool isAddressLiteral(const std::string& host) {
    unsigned char buffer[16];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

}  // namespace

XTCPSocket_SSL::XTCPSocket_SSL() : XTCPSocket_SSL(std::make_unique<XTCPSocketStd>()) {}

XTCPSocket_SSL::XTCPSocket_SSL(std::unique_ptr<XTCPSocket> transport)
    : mTransport(std::move(transport)) {
    mTransport->SetTimeoutMs(TimeoutMs());
}

XTCPSocket_SSL::~XTCPSocket_SSL() {
    Close();
}

void XTCPSocket_SSL::SetExtraTrustedCertificates(const std::string& pem) {
    std::lock_guard<std::mutex> lock(gExtraMutex);
    gExtraPEM = pem;
}

void XTCPSocket_SSL::SetTimeoutMs(uint32_t timeoutMs) {
    XTCPSocket::SetTimeoutMs(timeoutMs);
    mTransport->SetTimeoutMs(timeoutMs);
}

void XTCPSocket_SSL::SetCancel(std::shared_ptr<KillSwitch> cancel) {
    XTCPSocket::SetCancel(cancel);
    mTransport->SetCancel(std::move(cancel));
}

void XTCPSocket_SSL::Release() {
    mFatal = false;
    if (mSSL != nullptr) {
        SSL_free(mSSL);  // frees the BIO too
        mSSL = nullptr;
    }
    if (mContext != nullptr) {
        SSL_CTX_free(mContext);
        mContext = nullptr;
    }
}

void XTCPSocket_SSL::Close() {
    if (mSSL != nullptr && !mFatal && SSL_is_init_finished(mSSL) == 1 &&
        (SSL_get_shutdown(mSSL) & SSL_SENT_SHUTDOWN) == 0 && mTransport->IsOpen()) {
        // Our close_notify only; the peer's answer is not waited for.
        SSL_shutdown(mSSL);
    }
    Release();
    mTransport->Close();
    ERR_clear_error();
}

void XTCPSocket_SSL::SetSSLError(const std::string& what, int result) {
    const int code = SSL_get_error(mSSL, result);
    // After a fatal error OpenSSL must not be asked to say goodbye.
    mFatal = true;
    std::string text = what;
    if (const unsigned long queued = ERR_peek_last_error(); queued != 0) {
        char buffer[256];
        ERR_error_string_n(queued, buffer, sizeof buffer);
        text += std::string(": ") + buffer;
    } else if (code == SSL_ERROR_SYSCALL && !mTransport->LastError().empty()) {
        text += ": " + mTransport->LastError();
    } else {
        text += ": error " + std::to_string(code);
    }
    const long verify = SSL_get_verify_result(mSSL);
    if (verify != X509_V_OK) {
        text += std::string(" (") + X509_verify_cert_error_string(verify) + ")";
    }
    ERR_clear_error();
    SetError(text);
}

bool XTCPSocket_SSL::Connect(const XStr& host, uint16_t port) {
    Close();
    if (!mTransport->Connect(host, port)) {
        SetError(mTransport->LastError());
        return false;
    }
    return StartTLS(host);
}

bool XTCPSocket_SSL::StartTLS(const XStr& host) {
    Release();
    ERR_clear_error();
    const std::string name = host.utf8();
    BIO_METHOD* method = transportMethod();
    mContext = SSL_CTX_new(TLS_client_method());
    if (mContext == nullptr || method == nullptr) {
        SetError("TLS is not available");
        Close();
        return false;
    }
    SSL_CTX_set_min_proto_version(mContext, TLS1_2_VERSION);
    SSL_CTX_set_verify(mContext, SSL_VERIFY_PEER, nullptr);
    // Servers that close without a TLS goodbye are common; a body cut short that way is
    // found out by its length where the response gives one.
    SSL_CTX_set_options(mContext, SSL_OP_IGNORE_UNEXPECTED_EOF);
    if (SSL_CTX_set_default_verify_paths(mContext) != 1 || !addExtraCertificates(mContext)) {
        // Without a trusted certificate every handshake fails below, as it should.
        ERR_clear_error();
    }
    mSSL = SSL_new(mContext);
    BIO* bio = mSSL != nullptr ? BIO_new(method) : nullptr;
    if (bio == nullptr) {
        SetError("TLS is not available");
        Close();
        return false;
    }
    BIO_set_data(bio, mTransport.get());
    SSL_set_bio(mSSL, bio, bio);
    if (isAddressLiteral(name)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(mSSL), name.c_str());
    } else {
        SSL_set_tlsext_host_name(mSSL, name.c_str());
        SSL_set_hostflags(mSSL, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
        SSL_set1_host(mSSL, name.c_str());
    }
    const int result = SSL_connect(mSSL);
    if (result != 1) {
        SetSSLError("TLS handshake with " + name, result);
        Release();
        mTransport->Close();
        return false;
    }
    return true;
}

bool XTCPSocket_SSL::Send(const void* bytes, std::size_t length) {
    if (mSSL == nullptr) {
        SetError("send on a closed socket");
        return false;
    }
    std::size_t written = 0;
    if (length == 0) {
        return true;
    }
    const int result = SSL_write_ex(mSSL, bytes, length, &written);
    if (result != 1 || written != length) {
        SetSSLError("TLS send", result);
        return false;
    }
    return true;
}

ssize_t XTCPSocket_SSL::Receive(void* buffer, std::size_t length) {
    if (mSSL == nullptr) {
        SetError("receive on a closed socket");
        return -1;
    }
    if (length == 0) {
        return 0;
    }
    std::size_t count = 0;
    const int result = SSL_read_ex(mSSL, buffer, length, &count);
    if (result == 1) {
        return static_cast<ssize_t>(count);
    }
    if (SSL_get_error(mSSL, result) == SSL_ERROR_ZERO_RETURN) {
        return 0;
    }
    SetSSLError("TLS receive", result);
    return -1;
}
