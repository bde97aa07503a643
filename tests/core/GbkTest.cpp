#include "data/Gbk.h"

#include <gtest/gtest.h>

using namespace cloud;

TEST(Gbk, RoundTripAndReplacement)
{
    struct Case
    {
        std::string utf8;
        std::string gbk;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"中", "\xD6\xD0"},
        {"运行中", "\xD4\xCB\xD0\xD0\xD6\xD0"},
        {"’", "\xA1\xAF"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk) << c.utf8;
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << c.utf8;
    }
    // Characters without a GBK form, and broken input, become "?" without failing.
    EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");
    EXPECT_EQ(utf8ToGbk("a\xFFz"), "a?z");
    EXPECT_EQ(gbkToUtf8("a\xD6"), "a?");
    EXPECT_EQ(gbkTextToUtf8(std::string("ok\0tail", 7)), "ok");
    EXPECT_TRUE(fitsGbk("云服务器"));
    EXPECT_FALSE(fitsGbk("\xF0\x9F\x98\x80"));
}
