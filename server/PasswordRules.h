#pragma once

#include <string_view>

namespace refservice {

// What the service accepts as a new password and as a mobile number.
class PasswordRules
{
public:
    // 6 to 20 characters, each an ASCII letter or digit.
    static bool isPlain(std::string_view password);
    // isPlain() and at least one letter and one digit: what a host's administrator password
    // needs.
    static bool isStrong(std::string_view password);
    // True when six digits in a row count up or down by one ("123456", "x987654y").
    static bool hasDigitRun(std::string_view password);
    // 11 digits starting with "1".
    static bool isMobile(std::string_view text);

    static constexpr std::size_t minLength = 6;
    static constexpr std::size_t maxLength = 20;
    static constexpr std::size_t digitRunLength = 6;
};

} // namespace refservice
