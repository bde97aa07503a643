#include "PasswordHash.h"

#include "RandomText.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace refservice {

namespace {

constexpr int iterations = 4096;

std::string toHex(const unsigned char *bytes, std::size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0x0F]);
    }
    return out;
}

} // namespace

std::string PasswordHash::derive(std::string_view password, std::string_view salt)
{
    unsigned char key[32];
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                          reinterpret_cast<const unsigned char *>(salt.data()),
                          static_cast<int>(salt.size()), iterations, EVP_sha256(), sizeof key,
                          key) != 1)
        return {};
    return toHex(key, sizeof key);
}

PasswordHash::Digest PasswordHash::make(std::string_view password)
{
    Digest digest;
    digest.salt = RandomText::hex(32);
    digest.hash = derive(password, digest.salt);
    return digest;
}

bool PasswordHash::matches(std::string_view password, std::string_view salt, std::string_view hash)
{
    const std::string derived = derive(password, salt);
    return !derived.empty() && derived.size() == hash.size() &&
           CRYPTO_memcmp(derived.data(), hash.data(), hash.size()) == 0;
}

} // namespace refservice
