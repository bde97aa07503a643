#pragma once

#include "LocalTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace refservice {

// The unit a host is rented for, as the client names it in the form field `year`:
// "day", "month" or "Annual".
class RentalPeriod
{
public:
    enum class Unit { Day, Month, Year };

    // nullopt for any other text; the codes are compared exactly.
    static std::optional<RentalPeriod> fromCode(std::string_view code);

    Unit unit() const { return m_unit; }
    // The column of `products` with the price of one unit; NULL there: not offered.
    const char *priceColumn() const;
    // `start` plus `count` units on the calendar.
    LocalTime after(const LocalTime &start, int count) const;
    // How the money records name it: "1天", "3个月", "1年".
    std::string label(int count) const;

private:
    explicit RentalPeriod(Unit unit) : m_unit(unit) {}

    Unit m_unit;
};

} // namespace refservice
