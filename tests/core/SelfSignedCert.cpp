#include "SelfSignedCert.h"

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace {

void addExtension(X509 *cert, int nid, const std::string &value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    if (ext) {
        X509_add_ext(cert, ext, -1);
        X509_EXTENSION_free(ext);
    }
}

} // namespace

SelfSignedCert::SelfSignedCert(const std::string &altName)
    : m_key(EVP_EC_gen("P-256")), m_cert(X509_new())
{
    if (!m_key || !m_cert)
        return;
    X509_set_version(m_cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(m_cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(m_cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(m_cert), 24 * 3600);
    X509_set_pubkey(m_cert, m_key);
    X509_NAME *name = X509_get_subject_name(m_cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char *>("loopback test"), -1, -1, 0);
    X509_set_issuer_name(m_cert, name);
    addExtension(m_cert, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(m_cert, NID_subject_alt_name, altName);
    X509_sign(m_cert, m_key, EVP_sha256());
}

SelfSignedCert::~SelfSignedCert()
{
    X509_free(m_cert);
    EVP_PKEY_free(m_key);
}

bool SelfSignedCert::writePem(const std::string &path) const
{
    FILE *file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    const bool ok = PEM_write_X509(file, m_cert) == 1;
    std::fclose(file);
    return ok;
}
