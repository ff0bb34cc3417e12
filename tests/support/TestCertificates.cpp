#include "TestCertificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace {

std::string pemOf(X509* cert) {
    BIO* out = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(out, cert);
    char* data = nullptr;
    const long n = BIO_get_mem_data(out, &data);
    std::string text(data, static_cast<std::size_t>(n));
    BIO_free(out);
    return text;
}

std::string pemOf(EVP_PKEY* key) {
    BIO* out = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
    char* data = nullptr;
    const long n = BIO_get_mem_data(out, &data);
    std::string text(data, static_cast<std::size_t>(n));
    BIO_free(out);
    return text;
}

void addExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    if (ext == nullptr) {
        throw std::runtime_error("certificate extension " + value);
    }
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

X509* newCertificate(EVP_PKEY* key, const std::string& commonName, long serial) {
    X509* cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), serial);
    // Valid from an hour ago, so a clock a little behind does not matter.
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 7 * 24 * 3600);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1,
                               0);
    return cert;
}

}  // namespace

TestCertificates TestCertificates::make(const std::vector<std::string>& dnsNames,
                                        const std::vector<std::string>& addresses) {
    static long serial = 1;
    EVP_PKEY* caKey = EVP_EC_gen("P-256");
    EVP_PKEY* serverKey = EVP_EC_gen("P-256");
    if (caKey == nullptr || serverKey == nullptr) {
        throw std::runtime_error("key generation failed");
    }
    X509* ca = newCertificate(caKey, "Vantaro Test CA " + std::to_string(serial), serial);
    ++serial;
    X509_set_issuer_name(ca, X509_get_subject_name(ca));
    addExtension(ca, ca, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(ca, ca, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(ca, ca, NID_subject_key_identifier, "hash");
    X509_sign(ca, caKey, EVP_sha256());

    X509* server =
        newCertificate(serverKey, dnsNames.empty() ? "server" : dnsNames.front(), serial);
    ++serial;
    X509_set_issuer_name(server, X509_get_subject_name(ca));
    std::string names;
    for (const std::string& dns : dnsNames) {
        names += (names.empty() ? "DNS:" : ",DNS:") + dns;
    }
    for (const std::string& ip : addresses) {
        names += (names.empty() ? "IP:" : ",IP:") + ip;
    }
    addExtension(server, ca, NID_basic_constraints, "critical,CA:FALSE");
    addExtension(server, ca, NID_ext_key_usage, "serverAuth");
    addExtension(server, ca, NID_authority_key_identifier, "keyid:always");
    if (!names.empty()) {
        addExtension(server, ca, NID_subject_alt_name, names);
    }
    X509_sign(server, caKey, EVP_sha256());

    TestCertificates made{pemOf(ca), pemOf(server), pemOf(serverKey)};
    X509_free(server);
    X509_free(ca);
    EVP_PKEY_free(serverKey);
    EVP_PKEY_free(caKey);
    return made;
}
