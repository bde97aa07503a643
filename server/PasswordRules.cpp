#include "PasswordRules.h"

#include <algorithm>

namespace refservice {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool PasswordRules::isPlain(std::string_view password)
{
    return password.size() >= minLength && password.size() <= maxLength &&
           std::all_of(password.begin(), password.end(),
                       [](char c) { return isDigit(c) || isLetter(c); });
}

bool PasswordRules::isStrong(std::string_view password)
{
    return isPlain(password) && std::any_of(password.begin(), password.end(), isDigit) &&
           std::any_of(password.begin(), password.end(), isLetter);
}

bool PasswordRules::hasDigitRun(std::string_view password)
{
    std::size_t up = 0;
    std::size_t down = 0;
    for (std::size_t i = 0; i < password.size(); ++i) {
        if (!isDigit(password[i])) {
            up = down = 0;
            continue;
        }
        const bool follows = i > 0 && isDigit(password[i - 1]);
        up = follows && password[i] == password[i - 1] + 1 ? up + 1 : 1;
        down = follows && password[i] == password[i - 1] - 1 ? down + 1 : 1;
        if (up >= digitRunLength || down >= digitRunLength)
            return true;
    }
    return false;
}

bool PasswordRules::isMobile(std::string_view text)
{
    return text.size() == 11 && text[0] == '1' && std::all_of(text.begin(), text.end(), isDigit);
}

} // namespace refservice
