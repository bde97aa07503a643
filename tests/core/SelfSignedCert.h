#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <string>

// A throw-away key and self-signed certificate for TLS tests, made in memory.
class SelfSignedCert
{
public:
    // `altName` is the certificate's subject alternative name, e.g. "IP:127.0.0.1".
    explicit SelfSignedCert(const std::string &altName);
    ~SelfSignedCert();
    SelfSignedCert(const SelfSignedCert &) = delete;
    SelfSignedCert &operator=(const SelfSignedCert &) = delete;

    X509 *cert() const { return m_cert; }
    EVP_PKEY *key() const { return m_key; }
    // Writes the certificate as PEM to `path`, to serve as a trusted authority.
    bool writePem(const std::string &path) const;

private:
    EVP_PKEY *m_key = nullptr;
    X509 *m_cert = nullptr;
};
