#include "orders/DateTimeText.h"
#include "orders/RentalPeriod.h"

#include <gtest/gtest.h>

namespace cloud::test {
namespace {

const QDateTime kAfternoon(QDate(2025, 3, 1), QTime(13, 5, 9));
const QDateTime kMidnight(QDate(2025, 11, 23), QTime(0, 7, 3));

struct FormatCase
{
    QDateTime value;
    int style;
    int part;
    int hourMode;
    const char *expected;
};

TEST(DateTimeText, EveryStylePartAndHourMode)
{
    const FormatCase cases[] = {
        {kAfternoon, 0, 1, 2, "2025年03月01日"},
        {kAfternoon, 0, 2, 2, "03月01日"},
        {kAfternoon, 0, 3, 2, "13时05分09秒"},
        {kAfternoon, 0, 3, 1, "01时05分09秒"},
        {kAfternoon, 0, 4, 2, "13时05分"},
        {kAfternoon, 0, 5, 1, "05分09秒"},
        {kAfternoon, 0, 0, 2, "2025年03月01日 13时05分09秒"},
        {kAfternoon, 0, 6, 1, "2025年03月01日 01时05分09秒"},
        {kAfternoon, 1, 1, 2, "2025-03-01"},
        {kAfternoon, 1, 2, 2, "03-01"},
        {kAfternoon, 1, 3, 2, "13:05:09"},
        {kAfternoon, 1, 4, 1, "01:05"},
        {kAfternoon, 1, 5, 2, "05:09"},
        {kAfternoon, 1, 0, 2, "2025-03-01 13:05:09"},
        {kAfternoon, 2, 0, 1, "2025/03/01 01/05/09"},
        {kAfternoon, 2, 1, 2, "2025/03/01"},
        {kAfternoon, 2, 2, 2, "03/01"},
        {kAfternoon, 2, 4, 2, "13/05"},
        {kAfternoon, 3, 0, 2, "20250301130509"},
        {kAfternoon, 3, 1, 2, "20250301"},
        {kAfternoon, 3, 2, 2, "0301"},
        {kAfternoon, 3, 3, 1, "010509"},
        {kAfternoon, 3, 5, 2, "0509"},
        // Styles outside 0..3 count as 0.
        {kAfternoon, 4, 1, 2, "2025年03月01日"},
        {kAfternoon, -1, 4, 2, "13时05分"},
        // Midnight is 12 on the 12-hour clock and 00 on the 24-hour clock.
        {kMidnight, 1, 3, 1, "12:07:03"},
        {kMidnight, 1, 3, 2, "00:07:03"},
        {kMidnight, 0, 1, 1, "2025年11月23日"},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(formatDateTime(c.value, c.style, c.part, c.hourMode),
                  QString::fromUtf8(c.expected))
            << c.style << "/" << c.part << "/" << c.hourMode;
}

TEST(DateTimeText, OtherHourModesFollowTheSystemClock)
{
    const int systemMode = systemUses24HourClock() ? 2 : 1;
    for (int hourMode : {0, 3, -1})
        EXPECT_EQ(formatDateTime(kAfternoon, 1, 0, hourMode),
                  formatDateTime(kAfternoon, 1, 0, systemMode));
}

TEST(DateTimeText, WithoutAValueTheCurrentTimeIsFormatted)
{
    const QString before = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    const QString text = formatDateTime(std::nullopt, 3, 1, 2);
    const QString after = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    EXPECT_TRUE(text == before || text == after) << text.toStdString();
    EXPECT_EQ(dateText(kAfternoon), QStringLiteral("2025年03月01日"));
}

struct PeriodCase
{
    QDate from;
    RentalPeriod period;
    QDate expected;
};

TEST(RentalPeriod, MonthsAndYearsEndAtTheLastDayOfAShorterMonth)
{
    const PeriodCase cases[] = {
        {QDate(2025, 1, 31), RentalPeriod::Month, QDate(2025, 2, 28)},
        {QDate(2024, 1, 31), RentalPeriod::Month, QDate(2024, 2, 29)},
        {QDate(2024, 2, 29), RentalPeriod::Annual, QDate(2025, 2, 28)},
        {QDate(2024, 2, 29), RentalPeriod::Month, QDate(2024, 3, 29)},
        {QDate(2025, 3, 31), RentalPeriod::Month, QDate(2025, 4, 30)},
        {QDate(2025, 12, 31), RentalPeriod::Month, QDate(2026, 1, 31)},
        {QDate(2025, 12, 31), RentalPeriod::Day, QDate(2026, 1, 1)},
        {QDate(2024, 2, 28), RentalPeriod::Day, QDate(2024, 2, 29)},
        {QDate(2023, 2, 28), RentalPeriod::Annual, QDate(2024, 2, 28)},
    };
    for (const PeriodCase &c : cases) {
        const QDateTime result = addPeriod(QDateTime(c.from, QTime(23, 30)), c.period);
        EXPECT_EQ(result.date(), c.expected) << c.from.toString().toStdString();
        EXPECT_EQ(result.time(), QTime(23, 30));
    }
}

} // namespace
} // namespace cloud::test
