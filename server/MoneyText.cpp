#include "MoneyText.h"

namespace refservice {

std::string MoneyText::yuan(std::int64_t cents)
{
    // Unsigned arithmetic, so that the smallest int64 value has a magnitude too.
    const bool negative = cents < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    const std::uint64_t fraction = magnitude % 100;
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." +
           (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

} // namespace refservice
