// Certificates made on the spot for TLS tests: a CA of the test's own and a server
// certificate it signed for the given names, all as PEM text.
#pragma once

#include <string>
#include <vector>

struct TestCertificates {
    std::string caPem;
    std::string serverCertPem;
    std::string serverKeyPem;

    // A new CA signs a certificate for the DNS names and IP addresses.
    static TestCertificates make(const std::vector<std::string>& dnsNames,
                                 const std::vector<std::string>& addresses);
};
