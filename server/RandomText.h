#pragma once

#include <cstdint>
#include <string>

namespace refservice {

// Unpredictable texts and numbers from the system's cryptographic source: session ids,
// salts, captcha and SMS codes.
class RandomText
{
public:
    // `length` lower-case hexadecimal digits.
    static std::string hex(std::size_t length);
    // `length` decimal digits.
    static std::string digits(std::size_t length);
    // A number in [0, bound); 0 when bound is 0.
    static std::uint32_t below(std::uint32_t bound);
};

} // namespace refservice
