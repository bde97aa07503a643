#include "orders/RentalPeriod.h"

namespace cloud {

std::string_view periodCode(RentalPeriod period)
{
    switch (period) {
    case RentalPeriod::Day:
        return "day";
    case RentalPeriod::Month:
        return "month";
    case RentalPeriod::Annual:
        return "Annual";
    }
    return "month";
}

QDateTime addPeriod(const QDateTime &from, RentalPeriod period)
{
    // QDate clamps addMonths/addYears to the target month's last day.
    switch (period) {
    case RentalPeriod::Day:
        return from.addDays(1);
    case RentalPeriod::Month:
        return from.addMonths(1);
    case RentalPeriod::Annual:
        return from.addYears(1);
    }
    return from;
}

} // namespace cloud
