#include "RentalPeriod.h"

namespace refservice {

std::optional<RentalPeriod> RentalPeriod::fromCode(std::string_view code)
{
    if (code == "day")
        return RentalPeriod(Unit::Day);
    if (code == "month")
        return RentalPeriod(Unit::Month);
    if (code == "Annual")
        return RentalPeriod(Unit::Year);
    return std::nullopt;
}

const char *RentalPeriod::priceColumn() const
{
    switch (m_unit) {
    case Unit::Day:
        return "price_day_cents";
    case Unit::Month:
        return "price_month_cents";
    case Unit::Year:
        break;
    }
    return "price_year_cents";
}

LocalTime RentalPeriod::after(const LocalTime &start, int count) const
{
    switch (m_unit) {
    case Unit::Day:
        return start.plusDays(count);
    case Unit::Month:
        return start.plusMonths(count);
    case Unit::Year:
        break;
    }
    return start.plusYears(count);
}

std::string RentalPeriod::label(int count) const
{
    const char *unit = m_unit == Unit::Day ? "天" : m_unit == Unit::Month ? "个月" : "年";
    return std::to_string(count) + unit;
}

} // namespace refservice
