#include "IdentityNumber.h"

#include "LocalTime.h"

namespace refservice {

namespace {

bool allDigits(std::string_view text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int number(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool realBirthDate(std::string_view yyyymmdd)
{
    const int year = number(yyyymmdd.substr(0, 4));
    const int month = number(yyyymmdd.substr(4, 2));
    const int day = number(yyyymmdd.substr(6, 2));
    return year >= 1900 && month >= 1 && month <= 12 && day >= 1 &&
           day <= LocalTime::daysInMonth(year, month);
}

} // namespace

char IdentityNumber::checkCharacter(std::string_view first17)
{
    static const int weights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    static const char characters[] = "10X98765432";
    if (first17.size() != 17 || !allDigits(first17))
        return '\0';
    int sum = 0;
    for (std::size_t i = 0; i < 17; ++i)
        sum += (first17[i] - '0') * weights[i];
    return characters[sum % 11];
}

bool IdentityNumber::isValid(std::string_view text)
{
    if (text.size() != 18)
        return false;
    const char expected = checkCharacter(text.substr(0, 17));
    if (expected == '\0' || !realBirthDate(text.substr(6, 8)))
        return false;
    const char given = text[17] == 'x' ? 'X' : text[17];
    return given == expected;
}

std::string IdentityNumber::normalised(std::string_view text)
{
    std::string out(text);
    if (!out.empty() && out.back() == 'x')
        out.back() = 'X';
    return out;
}

} // namespace refservice
