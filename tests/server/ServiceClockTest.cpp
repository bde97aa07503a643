#include "ServiceClock.h"
#include "MoneyText.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace std::chrono_literals;

TEST(ServiceClock, LocalTextsRoundTripAndCompareInTimeOrder)
{
    ServiceClock clock;
    const auto now = std::chrono::time_point_cast<std::chrono::seconds>(clock.now());
    const std::string text = ServiceClock::localText(now);
    ASSERT_EQ(text.size(), 19u);
    EXPECT_EQ(ServiceClock::parseLocal(text), now);
    const std::string later = clock.nowText(90s);
    clock.advance(2min);
    EXPECT_LT(later, clock.nowText());
    EXPECT_EQ(ServiceClock::parseLocal("2024-02-29 23:59:59").has_value(), true);
    for (const char *bad : {"", "2024-02-29", "2024/02/29 23:59:59", "2024-02-29T23:59:59",
                            "2024-02-29 23:59:5x", "2024-02-29 23:59:590"})
        EXPECT_FALSE(ServiceClock::parseLocal(bad)) << bad;
}

TEST(MoneyText, CentsAsYuan)
{
    EXPECT_EQ(MoneyText::yuan(50000), "500.00");
    EXPECT_EQ(MoneyText::yuan(1250), "12.50");
    EXPECT_EQ(MoneyText::yuan(5), "0.05");
    EXPECT_EQ(MoneyText::yuan(0), "0.00");
    EXPECT_EQ(MoneyText::yuan(-1250), "-12.50");
    EXPECT_EQ(MoneyText::yuan(INT64_MIN), "-92233720368547758.08");
}
