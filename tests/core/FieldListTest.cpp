#include "net/FieldList.h"

#include <gtest/gtest.h>

using namespace cloud;

TEST(FieldList, RendersPairsInInsertionOrder)
{
    FieldList empty;
    EXPECT_EQ(empty.toForm(), "");
    EXPECT_EQ(empty.toHeaderBlock(), "");
    EXPECT_EQ(empty.toJson(), "{}");

    FieldList fields;
    fields.add("Accept", "*/*");
    fields.add("Host", "h");
    EXPECT_EQ(fields.toHeaderBlock(), "Accept: */*\r\nHost: h");
    EXPECT_EQ(fields.toForm(), "Accept=*/*&Host=h");
    EXPECT_EQ(fields.toJson(), R"({"Accept":"*/*","Host":"h"})");

    // Duplicates stay, in order; form values travel as typed without the encode flag.
    fields.add("Host", "云 服务器");
    EXPECT_EQ(fields.toForm(), "Accept=*/*&Host=h&Host=云 服务器");
    EXPECT_EQ(fields.names(), (std::vector<std::string>{"Accept", "Host", "Host"}));
    EXPECT_EQ(fields.values(), (std::vector<std::string>{"*/*", "h", "云 服务器"}));
}

TEST(FieldList, GetSetRemoveAndClearActOnTheFirstMatch)
{
    FieldList fields;
    fields.add("a", "1");
    fields.add("b", "2");
    fields.add("a", "3");
    EXPECT_EQ(fields.get("a"), "1");
    EXPECT_EQ(fields.get("A"), "");
    EXPECT_EQ(fields.get("missing"), "");

    fields.set("a", "9");
    fields.set("c", "4");
    EXPECT_EQ(fields.toForm(), "a=9&b=2&a=3&c=4");

    fields.remove("a");
    EXPECT_EQ(fields.toForm(), "b=2&a=3&c=4");
    fields.remove("missing");
    EXPECT_EQ(fields.toForm(), "b=2&a=3&c=4");

    fields.clear();
    EXPECT_EQ(fields.toForm(), "");
    EXPECT_TRUE(fields.names().empty());
}

TEST(FieldList, ParseFormTakesNameBeforeFirstAndValueAfterLastEquals)
{
    struct Case
    {
        const char *form;
        std::vector<std::string> names;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"a=1&b=2", {"a", "b"}, {"1", "2"}},
        {"k=v=w", {"k"}, {"w"}},
        {"a=&=b", {"a", ""}, {"", "b"}},
        {"flag&a=1", {"", "a"}, {"", "1"}},
        {"a=1&&b=2", {"a", "", "b"}, {"1", "", "2"}},
        {"", {}, {}},
    };
    for (const Case &c : cases) {
        FieldList fields;
        fields.parseForm(c.form);
        EXPECT_EQ(fields.names(), c.names) << c.form;
        EXPECT_EQ(fields.values(), c.values) << c.form;
    }
}

TEST(FieldList, EncodeFlagEscapesGbkBytesOrUtf8BytesOfConvertedPairs)
{
    FieldList fields;
    fields.add("name", "A-z 0.9_*'()~!");
    fields.add("城", "中");
    fields.add("u", "中", true);
    fields.add("nul", std::string("a\0b", 3));
    EXPECT_EQ(fields.toForm(true), "name=A-z+0.9_*'()%7E%21&%B3%C7=%D6%D0&u=%E4%B8%AD&nul=ab");
    // Header blocks escape the values only.
    EXPECT_EQ(fields.toHeaderBlock(true),
              "name: A-z+0.9_*'()%7E%21\r\n城: %D6%D0\r\nu: %E4%B8%AD\r\nnul: ab");

    FieldList parsed;
    parsed.parseForm("q=中&r=1", true);
    EXPECT_EQ(parsed.toForm(true), "q=%E4%B8%AD&r=1");
}

TEST(FieldList, JsonTextStaysValidForQuotesAndControlCharacters)
{
    FieldList fields;
    fields.add("say", "he said \"hi\"\\");
    fields.add("line", "a\r\nb");
    fields.add("中", "文");
    EXPECT_EQ(fields.toJson(), R"({"say":"he said \"hi\"\\","line":"a\u000d\u000ab","中":"文"})");
}
