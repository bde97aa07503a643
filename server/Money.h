#pragma once

#include "DbRow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace refservice {

// Amounts of money: integer cents inside the service, yuan texts on the wire. No floating
// point anywhere, so 99.90 is 9990 cents exactly.
class Money
{
public:
    // Whole yuan without decimals ("68" for 6800), otherwise two decimals ("2.50" for 250);
    // a minus sign in front of a negative amount.
    static std::string yuanText(std::int64_t cents);
    // The price in a cents column for the client: yuan, or "0" when the column is NULL
    // (the period is not offered).
    static std::string priceText(const DbRow &row, std::string_view centsColumn);
    // An amount typed by a user: decimal digits with at most two decimals ("12", "12.5",
    // "012.50"); blanks around it are ignored. nullopt for anything else, for zero and for
    // amounts above `maxCents`.
    static std::optional<std::int64_t> parseYuan(std::string_view text, std::int64_t maxCents);
};

} // namespace refservice
