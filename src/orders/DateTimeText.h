#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace cloud {

// The date and time texts of the order dialogs, from fixed pictures: yyyy year, MM month,
// dd day, hh hour (12-hour clock), HH hour (24-hour clock), mm minutes, ss seconds; every
// other character stands for itself.
//
// `style` 0..3 picks the picture family (other values count as 0):
//   0 "yyyy年MM月dd日 " "hh时mm分ss秒"    1 "yyyy-MM-dd " "hh:mm:ss"
//   2 "yyyy/MM/dd " "hh/mm/ss"             3 "yyyyMMdd" "hhmmss"
// `part`: 1 the date alone (without the separating blank), 2 month-day, 3 the time,
// 4 hour-minute, 5 minute-second, anything else date and time.
// `hourMode`: 1 the 12-hour clock, 2 the 24-hour clock, anything else the system's.
// Without a value the current local time is formatted.
QString formatDateTime(const std::optional<QDateTime> &value, int style, int part, int hourMode);

// The dialogs' form: the date alone, such as 2025年03月01日.
QString dateText(const QDateTime &value);

// Whether the user's locale writes times on the 24-hour clock.
bool systemUses24HourClock();

} // namespace cloud
