#include "ScriptUnescape.h"

#include <gtest/gtest.h>

using namespace refservice;

TEST(ScriptUnescape, DecodesTheClientsEscapes)
{
    const std::pair<const char *, const char *> cases[] = {
        {"%25u4E2D%25u6587", "中文"}, // how the client sends a Chinese name
        {"%u4E2D%u6587", "中文"},     // the unprefixed form
        {"%25u5F20%25u4E09", "张三"},
        {"A%20B", "A B"},
        {"%25u2019", "\u2019"},             // the apostrophe the client turns into ’
        {"%E9", "\u00e9"},                  // Latin-1 travels as two digits
        {"%25uD83D%25uDE00", "\U0001F600"}, // a surrogate pair
        {"%25", "%"},                       // an escaped percent sign
        {"%zz%4", "%zz%4"},                 // no escape: kept as it is
        {"%25u4E2", "%u4E2"},               // a cut escape: only its "%25" decodes
        {"张三", "张三"},                   // unescaped text stays
        {"", ""},
    };
    for (const auto &[escaped, text] : cases)
        EXPECT_EQ(ScriptUnescape::decode(escaped), std::optional<std::string>(text)) << escaped;
}

TEST(ScriptUnescape, BrokenSurrogatesAreRefused)
{
    for (const char *bad : {"%25uD83D", "%25uDE00", "%25uD83Dx", "%25uD83D%25u4E2D"})
        EXPECT_FALSE(ScriptUnescape::decode(bad)) << bad;
}
