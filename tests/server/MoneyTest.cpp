#include "Money.h"

#include <gtest/gtest.h>

using namespace refservice;

TEST(Money, YuanTextsKeepEveryCent)
{
    const std::pair<std::int64_t, const char *> cases[] = {
        {0, "0"},        {6800, "68"},      {250, "2.50"},
        {9990, "99.90"}, {5, "0.05"},       {1, "0.01"},
        {-300, "-3"},    {-1205, "-12.05"}, {INT64_MIN, "-92233720368547758.08"},
    };
    for (const auto &[cents, text] : cases)
        EXPECT_EQ(Money::yuanText(cents), text) << cents;
}

TEST(Money, TypedAmountsNeedDigitsAndAtMostTwoDecimals)
{
    const std::int64_t max = 5000000;
    const std::pair<const char *, std::int64_t> good[] = {
        {"100", 10000}, {"100.5", 10050}, {"99.90", 9990}, {"0.01", 1},
        {" 12 ", 1200}, {"012.30", 1230}, {"50000", max},
    };
    for (const auto &[text, cents] : good)
        EXPECT_EQ(Money::parseYuan(text, max), cents) << text;
    for (const char *bad : {"", "0", "0.00", "-1", "+1", "1.234", "1.", ".5", "1e3", "abc", "1,000",
                            "50000.01", "1 000", "12a", "99999999999999999999"})
        EXPECT_FALSE(Money::parseYuan(bad, max)) << bad;
}
