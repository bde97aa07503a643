#pragma once

#include <string>
#include <string_view>

namespace refservice {

// Account passwords are kept as salted PBKDF2-HMAC-SHA256 digests, never as typed.
class PasswordHash
{
public:
    struct Digest
    {
        std::string salt; // 32 hex digits
        std::string hash; // 64 hex digits
    };

    static Digest make(std::string_view password);
    static bool matches(std::string_view password, std::string_view salt, std::string_view hash);

private:
    static std::string derive(std::string_view password, std::string_view salt);
};

} // namespace refservice
