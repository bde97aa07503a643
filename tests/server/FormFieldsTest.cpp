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
