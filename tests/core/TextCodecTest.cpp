#include "data/TextCodec.h"
#include "data/ScriptString.h"
#include "data/Utf16.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace cloud;

namespace {

struct Pair
{
    std::string in;
    std::string out;
};

TEST(TextCodec, UnescapeReplyCases)
{
    const Pair cases[] = {
        {"\\u4e2d", "中"},
        {"a%20b", "a b"},
        {"it\\'s", "it's"},
        {"it's", "it's"},
        {"one\r\ntwo\nthree", "one\r\ntwo\nthree"},
        {"\rfirst", "first"},
        {"{\"msg\":\"\\u767b\\u5f55\"}", "{\"msg\":\"登录\"}"},
        {"%E4%B8%AD", "???"},      // one unit each (Latin-1, which GBK lacks), not UTF-8 bytes
        {"\\\\u4e2d", "中"},       // the \\u is made %u before the literal is read
        {"%uD83D%uDE00", "?"},     // no GBK form
        {"%uD83D tail", "? tail"}, // lone surrogate: no crash, no broken UTF-8
        {"a%00b", "a"},            // texts end at the first zero
        {"\\101\\x42\\q", "ABq"},  // legacy octal, hex, unknown escape
        {"乗u", "乗u"},            // 乗 ends in a backslash byte in GBK, yet starts no escape
        {"%u2019", "'"},           // looks like the apostrophe placeholder once decoded
        {"", ""},
        {std::string("ab\0cd", 5), "ab"},
        // Not a literal: returned as it came.
        {"a\rb", "a\rb"},
        {"tail\\", "tail\\"},
        {"bad\\x4g\r\n", "bad\\x4g\r\n"},
    };
    for (const Pair &c : cases)
        EXPECT_EQ(unescapeReply(c.in), c.out) << c.in;
}

TEST(TextCodec, EscapeTextCases)
{
    struct Case
    {
        std::string in;
        bool brackets;
        bool punctuation;
        std::string prefix;
        std::string out;
    };
    const Case cases[] = {
        {"a b", false, false, "%u", "a%20b"},
        {"x/y", false, false, "%u", "x/y"},
        {"'", false, false, "%u", "%u2019"},
        {"'", false, false, "%25u", "%25u2019"},
        {"张三", false, false, "%25u", "%25u5F20%25u4E09"},
        {"{a}[b](c)", true, false, "%u", "{a}[b](c)"},
        {"{a}:\"b\",", false, true, "%u", "%7Ba%7D:\"b\","},
        {"中", false, false, "  ", "%u4E2D"}, // a blank prefix keeps %u
        {"中", false, false, "", "%u4E2D"},
        {"😀", false, false, "%u", "%uD83D%uDE00"},
        {"a\\tb", false, false, "%u", "a%09b"},
        {"a\nb", false, false, "%u", ""}, // not a literal
        {"end\\", false, false, "%u", ""},
        {std::string("a\0b", 3), false, false, "%u", "a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(escapeText(c.in, c.brackets, c.punctuation, c.prefix), c.out) << c.in;
    EXPECT_EQ(escapeText("a b"), "a%20b");
}

TEST(TextCodec, PercentEncode)
{
    EXPECT_EQ(percentEncode("a b&c", true), "a+b%26c");
    EXPECT_EQ(percentEncode("a b&c", false), "%61+%62%26%63");
    EXPECT_EQ(percentEncode("AZaz09-._*'()!~", true), "AZaz09-._*'()%21%7E");
    EXPECT_EQ(percentEncode(std::string("x\0y\xD6\xD0", 5), true), "xy%D6%D0");
    EXPECT_EQ(percentEncode("", false), "");
    const std::string all(255, '\xFF');
    EXPECT_EQ(percentEncode(all, false).size(), all.size() * 3);
}

TEST(TextCodec, CodePageConversions)
{
    using namespace std::string_literals;
    EXPECT_EQ(localToUtf16("ab"), "a\0b\0\0\0"s);
    EXPECT_EQ(localToUtf16("ab", true), "a\0b\0"s);
    EXPECT_EQ(localToUtf16("\xD6\xD0"), "\x2D\x4E\0\0"s);
    EXPECT_EQ(localToUtf16("a\0b"s), "a\0\0\0"s); // local text ends at its first zero
    EXPECT_EQ(localToUtf16(""), "\0\0"s);

    const std::string zhong = "\x2D\x4E"s;
    const std::string emoji = "\x3D\xD8\x00\xDE"s;
    const std::string loneHigh = "\x3D\xD8"s;
    EXPECT_EQ(utf16ToCodePage(zhong, kCodePageGbk), "\xD6\xD0");
    EXPECT_EQ(utf16ToCodePage(zhong, kCodePageAnsi), "\xD6\xD0");
    EXPECT_EQ(utf16ToCodePage(zhong, kCodePageUtf8), "中");
    EXPECT_EQ(utf16ToCodePage(emoji, kCodePageUtf8), "😀");
    EXPECT_EQ(utf16ToCodePage(emoji, kCodePageGbk), "?");
    EXPECT_EQ(utf16ToCodePage(loneHigh + "a\0"s, kCodePageUtf8), "\xEF\xBF\xBD"
                                                                 "a");
    EXPECT_EQ(utf16ToCodePage(loneHigh, kCodePageGbk), "?");
    EXPECT_EQ(utf16ToCodePage("a\0\0\0b\0"s, kCodePageUtf8), "a"); // up to the first zero
    EXPECT_EQ(utf16ToCodePage("a\0b"s, kCodePageUtf8), "a");       // odd byte dropped
    EXPECT_EQ(utf16ToCodePage(zhong, 1252), "");

    EXPECT_EQ(utf16ToText(zhong), "中");
    EXPECT_EQ(utf16ToText(emoji), "?");
    EXPECT_EQ(utf16ToText(emoji, kCodePageUtf8), "😀");
    EXPECT_EQ(utf16ToText(emoji, kCodePageUtf8, false), "?");

    EXPECT_EQ(localToUtf8("\xD4\xC6 ok"), "云 ok");
    EXPECT_EQ(localToUtf8("a\xD6"), "a?");
}

TEST(TextCodec, Utf16Conversions)
{
    const std::pair<std::string, std::u16string> decodes[] = {
        {"a中😀", u"a中\U0001F600"},
        {"\x80", u"\uFFFD"},                               // stray continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xE4\xB8", u"\uFFFD\uFFFD"},                     // cut off
        {"\xE4\xB8x", u"\uFFFD\uFFFDx"},
    };
    for (const auto &[utf8, units] : decodes)
        EXPECT_EQ(utf8ToUtf16(utf8), units) << utf8;
    const char16_t lone[] = {0xDC00, u'a', 0xD800, 0};
    EXPECT_EQ(utf16ToUtf8(lone), "\xEF\xBF\xBD"
                                 "a"
                                 "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), "😀");
}

TEST(TextCodec, ScriptLiteralRejectsWhatEndsOrBreaksIt)
{
    for (const char16_t *body :
         {u"a'b", u"a\nb", u"a\rb", u"\\", u"\\x1", u"\\u12", u"\\u{}", u"\\u{110000}", u"\\u{41"})
        EXPECT_FALSE(ScriptString::parseLiteral(body).has_value());
    EXPECT_EQ(ScriptString::parseLiteral(u"a\u2028b"), u"a\u2028b");
    EXPECT_EQ(ScriptString::parseLiteral(u"a\\\r\nb\\\u2029c"), u"abc");
    EXPECT_EQ(ScriptString::parseLiteral(u"\\u{1F600}"), u"\U0001F600");
}

// Vectors made by a real script engine (tests/tools/gen_codec_vectors.js).
class EngineVectors : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::ifstream in(CLOUD_SOURCE_DIR "/tests/data/codec_vectors.json");
        ASSERT_TRUE(in.good());
        s_vectors = nlohmann::json::parse(in);
    }

    static std::u16string units(const nlohmann::json &array)
    {
        std::u16string out;
        for (const auto &u : array)
            out.push_back(static_cast<char16_t>(u.get<int>()));
        return out;
    }

    static const nlohmann::json &cases(const char *name)
    {
        const nlohmann::json &list = s_vectors.at(name);
        EXPECT_GT(list.size(), 100u) << name;
        return list;
    }

    static nlohmann::json s_vectors;
};

nlohmann::json EngineVectors::s_vectors;

TEST_F(EngineVectors, StringLiterals)
{
    for (const auto &v : cases("literal")) {
        const auto body = v.at("body").get<std::string>();
        const auto value = ScriptString::parseLiteral(utf8ToUtf16(body));
        if (v.at("units").is_null())
            EXPECT_FALSE(value.has_value()) << body;
        else
            EXPECT_EQ(value, units(v.at("units"))) << body;
    }
}

TEST_F(EngineVectors, EscapeAndUnescape)
{
    for (const auto &v : cases("escape"))
        EXPECT_EQ(ScriptString::escape(units(v.at("in"))), v.at("out").get<std::string>());
    for (const auto &v : cases("unescape"))
        EXPECT_EQ(ScriptString::unescape(units(v.at("in"))), units(v.at("out")))
            << utf16ToUtf8(units(v.at("in")));
}

TEST_F(EngineVectors, UnescapeReply)
{
    for (const auto &v : cases("unescapeReply")) {
        const auto in = v.at("in").get<std::string>();
        EXPECT_EQ(unescapeReply(in), v.at("out").get<std::string>()) << in;
    }
}

TEST_F(EngineVectors, EscapeText)
{
    for (const auto &v : cases("escapeText")) {
        const auto in = v.at("in").get<std::string>();
        EXPECT_EQ(escapeText(in, v.at("brackets").get<bool>(), v.at("punctuation").get<bool>(),
                             v.at("prefix").get<std::string>()),
                  v.at("out").get<std::string>())
            << in;
    }
}

} // namespace
