#include "FormFields.h"

#include "data/Gbk.h"

#include <gtest/gtest.h>

using namespace refservice;

TEST(FormFields, SplitsRawBodiesWithoutDecoding)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct Case
    {
        std::string body;
        Pairs fields;
    };
    const Case cases[] = {
        {"username=13800000000&password=demo1234",
         {{"username", "13800000000"}, {"password", "demo1234"}}},
        // The client does not escape "&": the rest of such a value becomes a field of its own.
        {"password=a&b&id=7", {{"password", "a"}, {"b", ""}, {"id", "7"}}},
        {"bz=a=b", {{"bz", "a=b"}}},
        {"truename=%D5%C5+%C8%FD", {{"truename", "%D5%C5+%C8%FD"}}},
        {"&&a=1&", {{"a", "1"}}},
        {"=x", {{"", "x"}}},
        {"", {}},
        {"bz=" + cloud::utf8ToGbk("数据库"), {{"bz", "数据库"}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormFields::parse(c.body).all(), c.fields) << c.body;
}

TEST(FormFields, LookupAndQueries)
{
    const FormFields form = FormFields::parse("id=1&id=2&empty=");
    EXPECT_EQ(form.value("id"), "1");
    EXPECT_TRUE(form.has("empty"));
    EXPECT_EQ(form.value("empty"), "");
    EXPECT_FALSE(form.has("ID"));
    EXPECT_EQ(form.value("missing"), "");

    EXPECT_EQ(FormFields::fromTarget("/khd?act=ver").value("act"), "ver");
    EXPECT_EQ(FormFields::fromTarget("/user/data/vpslist?page=2&limit=5&ljs=1").value("page"), "2");
    EXPECT_TRUE(FormFields::fromTarget("/khd").all().empty());
    EXPECT_EQ(FormFields::fromTarget("/a?x=1?2").value("x"), "1?2");
}

TEST(FormFields, KnownNamesKeepAmpersandsInValues)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const std::vector<std::string_view> login = {"username", "password", "captcha",
                                                 "khdkey",   "zd",       "ver"};
    struct Case
    {
        std::string body;
        Pairs fields;
    };
    const Case cases[] = {
        {"username=u&password=a&b&captcha=1234&khdkey=K&zd=1&ver=Ver 3.8",
         {{"username", "u"},
          {"password", "a&b"},
          {"captcha", "1234"},
          {"khdkey", "K"},
          {"zd", "1"},
          {"ver", "Ver 3.8"}}},
        // Empty pieces, "=" and names of fields already seen are part of the value.
        {"username=u&password=&&x=y&username=v&&captcha=1",
         {{"username", "u"}, {"password", "&&x=y&username=v&"}, {"captcha", "1"}}},
        // A known name without "=" is text too.
        {"password=a&zd&captcha=1", {{"password", "a&zd"}, {"captcha", "1"}}},
        // The one ambiguity left: "&" + a later field's name + "=" starts that field.
        {"password=a&captcha=b&captcha=1", {{"password", "a"}, {"captcha", "b&captcha=1"}}},
        {"password=" + cloud::utf8ToGbk("密&码"), {{"password", "密&码"}}},
        {"junk&password=a&b", {{"junk", ""}, {"password", "a&b"}}},
        {"&password=a&", {{"password", "a&"}}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormFields::parse(c.body, login).all(), c.fields) << c.body;
    // Without the list the same body splits at every "&".
    EXPECT_EQ(FormFields::parse("password=a&b&captcha=1").value("password"), "a");
}
