#include "data/TextUtil.h"

#include <gtest/gtest.h>

using namespace cloud;

TEST(TextUtil, BetweenBeforeAfter)
{
    EXPECT_EQ(textBetween("a[x]b[y]", "[", "]"), "x");
    EXPECT_EQ(textBetween("a[x]b[y]", "[", "]", 4), "y");
    EXPECT_EQ(textBetween("say \"hi\" now", "#引号", "#引号"), "hi");
    EXPECT_EQ(textBetween("ABcdEF", "b", "e", 1, true), "cd");
    EXPECT_EQ(textBetween("ABcdEF", "b", "e"), "");
    EXPECT_EQ(textBetween("left only [", "[", "]"), "");
    EXPECT_EQ(textBefore("k=v=w", "="), "k");
    EXPECT_EQ(textAfter("k=v=w", "="), "w");
    EXPECT_EQ(textBefore("none", "="), "");
    EXPECT_EQ(textAfter("none", "="), "");
}

TEST(TextUtil, IntegerValueAndFlags)
{
    struct Case
    {
        const char *text;
        std::int64_t value;
        bool flag;
    };
    const Case cases[] = {
        {"", 0, false},    {"1", 1, true},       {"01", 1, true},
        {"yes", 0, false}, {"12abc", 12, false}, {" 1", 0, false},
        {"-1", 0, false},  {"1.5", 1, true},     {"99999999999999999999999", INT64_MAX, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(integerValue(c.text), c.value) << c.text;
        EXPECT_EQ(flagIsSet(c.text), c.flag) << c.text;
    }
}
