#include "LocalTime.h"
#include "RentalPeriod.h"

#include <gtest/gtest.h>

using namespace refservice;

TEST(LocalTime, PeriodsMoveTheCalendarAndClampToTheMonthEnd)
{
    struct Case
    {
        const char *start;
        const char *code;
        int count;
        const char *end;
    };
    const Case cases[] = {
        {"2024-01-31 10:00:00", "month", 1, "2024-02-29 10:00:00"}, // leap February
        {"2023-01-31 10:00:00", "month", 1, "2023-02-28 10:00:00"},
        {"2024-03-31 23:59:59", "month", 1, "2024-04-30 23:59:59"},
        {"2024-01-31 08:00:00", "month", 2, "2024-03-31 08:00:00"}, // not clamped twice
        {"2024-12-15 00:00:00", "month", 1, "2025-01-15 00:00:00"},
        {"2024-11-30 12:00:00", "month", 14, "2026-01-30 12:00:00"},
        {"2024-02-29 09:30:00", "Annual", 1, "2025-02-28 09:30:00"},
        {"2024-02-29 09:30:00", "Annual", 4, "2028-02-29 09:30:00"},
        {"2024-12-31 22:00:00", "day", 1, "2025-01-01 22:00:00"},
        {"2024-02-28 01:00:00", "day", 1, "2024-02-29 01:00:00"},
        {"2100-02-28 01:00:00", "day", 1, "2100-03-01 01:00:00"}, // no leap day in 2100
        {"2000-02-28 01:00:00", "day", 1, "2000-02-29 01:00:00"}, // but in 2000
        {"2024-01-01 00:00:00", "day", 366, "2025-01-01 00:00:00"},
    };
    for (const Case &c : cases) {
        const auto start = LocalTime::parse(c.start);
        const auto period = RentalPeriod::fromCode(c.code);
        ASSERT_TRUE(start && period) << c.start << " " << c.code;
        EXPECT_EQ(period->after(*start, c.count).text(), c.end) << c.start << " + " << c.code;
    }
}

TEST(LocalTime, OnlyTheStoredFormWithARealDateParses)
{
    for (const char *good : {"2024-02-29 00:00:00", "1999-12-31 23:59:59"})
        EXPECT_EQ(LocalTime::parse(good)->text(), good);
    for (const char *bad : {"2023-02-29 00:00:00", "2024-13-01 00:00:00", "2024-04-31 00:00:00",
                            "2024-01-01 24:00:00", "2024-1-01 00:00:00", "2024-01-01T00:00:00",
                            "2024-01-01 00:00:00 ", "", "abcd-ef-gh ij:kl:mn"})
        EXPECT_FALSE(LocalTime::parse(bad)) << bad;
    EXPECT_LT(*LocalTime::parse("2024-01-31 10:00:00"), *LocalTime::parse("2024-02-01 09:00:00"));
}

TEST(RentalPeriod, OnlyTheClientsThreeCodesNameAPeriod)
{
    EXPECT_EQ(RentalPeriod::fromCode("day")->label(1), "1天");
    EXPECT_EQ(RentalPeriod::fromCode("month")->label(3), "3个月");
    EXPECT_EQ(RentalPeriod::fromCode("Annual")->label(1), "1年");
    for (const char *bad : {"year", "annual", "Month", "", "day ", "1"})
        EXPECT_FALSE(RentalPeriod::fromCode(bad)) << bad;
}
