#include "Money.h"

#include "data/TextUtil.h"

namespace refservice {

namespace {

bool allDigits(std::string_view text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Enough digits for any sane amount, few enough that the cents never overflow.
constexpr std::size_t maxWholeDigits = 12;

} // namespace

std::string Money::yuanText(std::int64_t cents)
{
    const bool negative = cents < 0;
    // Negating through unsigned keeps the most negative value defined.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 100);
    const std::uint64_t fraction = magnitude % 100;
    if (fraction != 0)
        text += (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
    return text;
}

std::string Money::priceText(const DbRow &row, std::string_view centsColumn)
{
    return row.isNull(centsColumn) ? std::string("0") : yuanText(row.integer(centsColumn));
}

std::optional<std::int64_t> Money::parseYuan(std::string_view text, std::int64_t maxCents)
{
    const std::string amount = cloud::trimmed(text);
    const std::size_t point = amount.find('.');
    const std::string whole = amount.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : amount.substr(point + 1);
    if (whole.empty() || whole.size() > maxWholeDigits || !allDigits(whole))
        return std::nullopt;
    if (point != std::string::npos &&
        (decimals.empty() || decimals.size() > 2 || !allDigits(decimals)))
        return std::nullopt;
    std::int64_t cents = std::stoll(whole) * 100;
    if (!decimals.empty())
        cents += std::stoll(decimals) * (decimals.size() == 1 ? 10 : 1);
    if (cents <= 0 || cents > maxCents)
        return std::nullopt;
    return cents;
}

} // namespace refservice
