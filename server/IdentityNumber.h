#pragma once

#include <string>
#include <string_view>

namespace refservice {

// The 18-character resident identity number: a 6-digit area code, the birth date as
// YYYYMMDD, a 3-digit sequence and a check character (a digit or X) by ISO 7064 MOD 11-2.
class IdentityNumber
{
public:
    // True when the text is such a number with a real birth date (from 1900) and the right
    // check character; a lower-case x is accepted for X.
    static bool isValid(std::string_view text);
    // The check character of 17 digits; '\0' when the text is not 17 digits.
    static char checkCharacter(std::string_view first17);
    // The form the service stores: the check character X in upper case.
    static std::string normalised(std::string_view text);
};

} // namespace refservice
