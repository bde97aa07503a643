#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace refservice {

// A wall-clock time of the service's zone, as the tables store it: "YYYY-MM-DD HH:MM:SS".
// The text form sorts like the time itself, so SQL compares such texts directly.
struct LocalTime
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    // The local time of a moment of the system clock.
    static LocalTime fromEpoch(std::time_t moment);
    // nullopt unless the text is exactly the stored form with a real date and time.
    static std::optional<LocalTime> parse(std::string_view text);
    static int daysInMonth(int year, int month);

    std::string text() const;
    // `days` whole days later (earlier when negative); the clock time stays.
    LocalTime plusDays(std::int64_t days) const;
    // The same day `months` later; a day the target month lacks becomes its last day, so
    // 31 January plus one month is 28 or 29 February.
    LocalTime plusMonths(std::int64_t months) const;
    LocalTime plusYears(std::int64_t years) const { return plusMonths(years * 12); }

    auto operator<=>(const LocalTime &) const = default;
};

} // namespace refservice
