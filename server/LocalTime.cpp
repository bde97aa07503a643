#include "LocalTime.h"

#include <cstdio>

namespace refservice {

namespace {

bool isLeap(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, LocalTime &t)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
}

bool readNumber(std::string_view text, std::size_t pos, std::size_t length, int &out)
{
    out = 0;
    for (std::size_t i = pos; i < pos + length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

LocalTime LocalTime::fromEpoch(std::time_t moment)
{
    std::tm parts{};
    localtime_r(&moment, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::optional<LocalTime> LocalTime::parse(std::string_view text)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    LocalTime t;
    if (!readNumber(text, 0, 4, t.year) || !readNumber(text, 5, 2, t.month) ||
        !readNumber(text, 8, 2, t.day) || !readNumber(text, 11, 2, t.hour) ||
        !readNumber(text, 14, 2, t.minute) || !readNumber(text, 17, 2, t.second))
        return std::nullopt;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

int LocalTime::daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

std::string LocalTime::text() const
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return buffer;
}

LocalTime LocalTime::plusDays(std::int64_t days) const
{
    LocalTime t = *this;
    civilFromDays(daysFromCivil(year, month, day) + days, t);
    return t;
}

LocalTime LocalTime::plusMonths(std::int64_t months) const
{
    LocalTime t = *this;
    const std::int64_t index = std::int64_t{year} * 12 + (month - 1) + months;
    const std::int64_t newYear = index >= 0 ? index / 12 : (index - 11) / 12;
    t.year = static_cast<int>(newYear);
    t.month = static_cast<int>(index - newYear * 12) + 1;
    const int last = daysInMonth(t.year, t.month);
    if (t.day > last)
        t.day = last;
    return t;
}

} // namespace refservice
