#include "RandomText.h"

#include <openssl/rand.h>
#include <random>
#include <vector>

namespace refservice {

namespace {

std::vector<unsigned char> randomBytes(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    if (count > 0 && RAND_bytes(bytes.data(), static_cast<int>(count)) != 1) {
        std::random_device device; // the OpenSSL source failed: fall back to the OS device
        for (unsigned char &b : bytes)
            b = static_cast<unsigned char>(device());
    }
    return bytes;
}

} // namespace

std::string RandomText::hex(std::size_t length)
{
    static const char alphabet[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char b : randomBytes(length))
        out.push_back(alphabet[b & 0x0F]);
    return out;
}

std::uint32_t RandomText::below(std::uint32_t bound)
{
    if (bound == 0)
        return 0;
    // Rejection sampling keeps every value equally likely.
    const std::uint32_t limit = UINT32_MAX - UINT32_MAX % bound;
    while (true) {
        const std::vector<unsigned char> b = randomBytes(4);
        const std::uint32_t value = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) |
                                    (std::uint32_t{b[2]} << 8) | b[3];
        if (value < limit)
            return value % bound;
    }
}

std::string RandomText::digits(std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(static_cast<char>('0' + below(10)));
    return out;
}

} // namespace refservice
