#pragma once

#include <QDateTime>

#include <array>
#include <string_view>

namespace cloud {

// The three rental periods a host is bought or renewed for, in the order of the dialogs'
// radio buttons ("一天", "一个月", "一年").
enum class RentalPeriod { Day = 0, Month = 1, Annual = 2 };

inline constexpr std::array<RentalPeriod, 3> kRentalPeriods{RentalPeriod::Day, RentalPeriod::Month,
                                                            RentalPeriod::Annual};

// What the service calls the period in its `year` field: "day", "month", "Annual".
std::string_view periodCode(RentalPeriod period);

// One period after `from`. A month or a year keeps the day of the month unless the
// target month is shorter: then it is that month's last day (31 January + 1 month is the
// last day of February, 29 February + 1 year is 28 February). A day is the next calendar
// day at the same time of day.
QDateTime addPeriod(const QDateTime &from, RentalPeriod period);

} // namespace cloud
