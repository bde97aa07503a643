#include "data/JsonDoc.h"

#include <gtest/gtest.h>

#include <string>

using namespace cloud;

namespace {

struct Query
{
    const char *path;
    std::string text;
    std::string json;
    int type;
};

void expectQueries(const JsonDoc &doc, std::initializer_list<Query> queries)
{
    for (const Query &q : queries) {
        EXPECT_EQ(doc.textAt(q.path), q.text) << "textAt " << q.path;
        EXPECT_EQ(doc.jsonAt(q.path), q.json) << "jsonAt " << q.path;
        EXPECT_EQ(doc.textAt(q.path, true), q.json) << "textAt json " << q.path;
        EXPECT_EQ(doc.typeAt(q.path), q.type) << "typeAt " << q.path;
    }
}

JsonDoc parsed(std::string_view text)
{
    JsonDoc doc;
    EXPECT_TRUE(doc.parse(text)) << text;
    return doc;
}

} // namespace

TEST(JsonDoc, ListReply)
{
    const JsonDoc doc =
        parsed(R"({"count":5,"data":[{"id":7,"name":"云主机"},{"id":8,"x":null}]})");
    expectQueries(doc, {
                           {"count", "5", "5", 2},
                           {"data[0].id", "7", "7", 2},
                           {"data[0].name", "云主机", "\"云主机\"", 6},
                           {"data", "[object Object],[object Object]",
                            R"([{"id":7,"name":"云主机"},{"id":8,"x":null}])", 5},
                           {"data[0]", "[object Object]", R"({"id":7,"name":"云主机"})", 4},
                           {"data[1].x", "", "null", 0},
                           {"data[2]", "", "", 0},
                           {"data[2].id", "", "", 0},
                           {"missing", "", "", 0},
                       });
}

TEST(JsonDoc, PlainAndJsonForms)
{
    const JsonDoc doc =
        parsed(R"({"b":[1,[2,[3]],null,{"a":1},"x",true,false,[]],"a":{"z":1,"y":[]},)"
               R"("s":"q\"b\\\b\f\n\r\t\u0001\u001f\u007f é","e":"","flag":true})");
    expectQueries(doc, {
                           {"b", "1,2,3,,[object Object],x,true,false,",
                            R"([1,[2,[3]],null,{"a":1},"x",true,false,[]])", 5},
                           {"a", "[object Object]", R"({"z":1,"y":[]})", 4},
                           {"s", "q\"b\\\b\f\n\r\t\x01\x1f\x7f é",
                            R"("q\"b\\\b\f\n\r\t\u0001\u001f)"
                            "\x7f"
                            R"( é")",
                            6},
                           {"e", "", "\"\"", 6},
                           {"flag", "true", "true", 1},
                           {"b[6]", "false", "false", 1},
                       });
    // Members keep document order, not sorted order.
    EXPECT_EQ(doc.memberNames(""), "b\r\na\r\ns\r\ne\r\nflag");
}

TEST(JsonDoc, DuplicateMembersKeepFirstPlaceLastValue)
{
    EXPECT_EQ(parsed(R"({"a":1,"b":2,"a":3})").toJson(), R"({"a":3,"b":2})");
}

TEST(JsonDoc, ParseOutcomes)
{
    struct Case
    {
        std::string text;
        bool ok;
        std::string json;
    };
    const Case cases[] = {
        {"", false, "null"},
        {"abc", false, "null"},
        {"null", false, "null"},
        {"{\"a\":1", false, "null"},
        {"[1,]", false, "null"},
        {"{'a':1}", false, "null"},
        {"{} x", false, "null"},
        {"1e400", false, "null"},
        {"\"\\ud800\"", false, "null"},
        {"5", true, "5"},
        {"\"s\"", true, "\"s\""},
        {"[1, 2]", true, "[1,2]"},
        {" {\"a\" : [ ] } ", true, "{\"a\":[]}"},
        {"false", true, "false"},
        // The text ends at its first zero byte.
        {std::string("{\"a\":1}\0garbage", 15), true, "{\"a\":1}"},
        {std::string("\0{}", 3), false, "null"},
    };
    for (const Case &c : cases) {
        JsonDoc doc;
        ASSERT_TRUE(doc.parse(R"({"old":1})"));
        EXPECT_EQ(doc.parse(c.text), c.ok) << c.text;
        EXPECT_EQ(doc.toJson(), c.json) << c.text;
        if (!c.ok) {
            EXPECT_EQ(doc.typeAt("old"), 0) << c.text;
            EXPECT_EQ(doc.textAt(""), "") << c.text;
        }
    }
    EXPECT_EQ(JsonDoc().toJson(), "{}");
}

TEST(JsonDoc, EscapedZeroCharacterIsKept)
{
    const JsonDoc doc = parsed(R"(["a\u0000b"])");
    EXPECT_EQ(doc.textAt("[0]"), std::string("a\0b", 3));
    EXPECT_EQ(doc.jsonAt("[0]"), R"("a\u0000b")");
}

// Numbers print as a script engine prints them; the JSON text of a finite number is the same.
TEST(JsonDoc, NumberText)
{
    struct Case
    {
        const char *literal;
        const char *text;
    };
    const Case cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"-0.0", "0"},
        {"1", "1"},
        {"-1", "-1"},
        {"1000", "1000"},
        {"1.5", "1.5"},
        {"0.1", "0.1"},
        {"0.30000000000000004", "0.30000000000000004"},
        {"1.0", "1"},
        {"0.1e1", "1"},
        {"1E2", "100"},
        {"7.0e-3", "0.007"},
        {"2.5e10", "25000000000"},
        {"1e20", "100000000000000000000"},
        {"1e21", "1e+21"},
        {"999999999999999999999", "1e+21"},
        {"1.2345678901234568e20", "123456789012345680000"},
        {"123456789012345678901234", "1.2345678901234569e+23"},
        {"1e100", "1e+100"},
        {"1.7976931348623157e308", "1.7976931348623157e+308"},
        {"0.000001", "0.000001"},
        {"1e-7", "1e-7"},
        {"0.0000001", "1e-7"},
        {"1.5e-7", "1.5e-7"},
        {"-1.5E-10", "-1.5e-10"},
        {"123e-20", "1.23e-18"},
        {"5e-324", "5e-324"},
        // Integers are doubles: beyond 2^53 they lose their low digits.
        {"9007199254740992", "9007199254740992"},
        {"9007199254740993", "9007199254740992"},
        {"1234567890123456789", "1234567890123456800"},
        {"12345678901234567890", "12345678901234567000"},
        {"18446744073709551615", "18446744073709552000"},
        {"18446744073709551616", "18446744073709552000"},
        {"-9223372036854775808", "-9223372036854776000"},
        {"-12345678901234567890", "-12345678901234567000"},
    };
    for (const Case &c : cases) {
        const JsonDoc doc = parsed(std::string("[") + c.literal + "]");
        EXPECT_EQ(doc.textAt("[0]"), c.text) << c.literal;
        EXPECT_EQ(doc.jsonAt("[0]"), c.text) << c.literal;
        EXPECT_EQ(doc.subDocument("[0]").toJson(), c.text) << c.literal;
    }
}

TEST(JsonDoc, PathGrammar)
{
    const JsonDoc doc =
        parsed(R"({"count":3,"data":{"id":1,"2":"two"},"da":{"count":4,"x":null},"x":null,)"
               R"("daily":[10,[20,21]],"a.b":5,"list":[{"id":"first"}]})");
    struct Case
    {
        const char *path;
        std::string text;
    };
    const Case cases[] = {
        {"count", "3"},
        {"da.count", "3"},
        {"data.id", "1"}, // a real member whose name starts with "da"
        {"da.data.id", "1"},
        {"daily[1][0]", "20"},
        {"daily", "10,20,21"},
        {"list[0].id", "first"},
        {"da.list[0].id", "first"},
        {"da[\"count\"]", ""},
        {"data[2]", "two"}, // an index on an object reads the member of that name
        // "da" written out counts as the root only when that finds a non-null value.
        {"da.da.count", "4"},
        {"da.x", ""},
        {"", "[object Object]"},
        {"da", "[object Object]"},
        {"a.b", ""},
        // Malformed paths find nothing.
        {".count", ""},
        {"count.", ""},
        {"da.", ""},
        {"da.[0]", ""},
        {"data..id", ""},
        {"daily[", ""},
        {"daily[]", ""},
        {"daily]", ""},
        {"daily[x]", ""},
        {"daily[-1]", ""},
        {"daily[01]", ""},
        {"daily[ 0]", ""},
        {"daily[0]x", ""},
        {"daily[99999999999999999999999999]", ""},
        {"list.0.id", ""},
        {"count[0]", ""},
        {"[0]", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(doc.textAt(c.path), c.text) << c.path;
    // A null found through "da" does not count: the whole path is then read from the root, so
    // "da.x" reaches the member "da" and "da.da.x" reaches nothing.
    EXPECT_EQ(doc.jsonAt("x"), "null");
    EXPECT_EQ(doc.jsonAt("da.x"), "null");
    EXPECT_EQ(doc.jsonAt("da.da.x"), "");
    EXPECT_EQ(parsed(R"({"y":null})").jsonAt("da.y"), "");

    const JsonDoc array = parsed(R"([{"id":1},[2,3]])");
    EXPECT_EQ(array.textAt("[0].id"), "1");
    EXPECT_EQ(array.textAt("da[0].id"), "1");
    EXPECT_EQ(array.textAt("[1][1]"), "3");
    EXPECT_EQ(array.typeAt(""), 5);
    EXPECT_EQ(array.typeAt("[2]"), 0);
}

TEST(JsonDoc, BackslashPlaceholder)
{
    const JsonDoc doc =
        parsed("{\"p\":\"C:\xE2\x90\x80temp\",\"k\xE2\x90\x80\":[\"\xE2\x90\x80\"]}");
    EXPECT_EQ(doc.textAt("p"), "C:\\temp");
    EXPECT_EQ(doc.textAt("k\xE2\x90\x80"), "\\");
    // The JSON text stays valid: the backslash is escaped like any other.
    EXPECT_EQ(doc.jsonAt("p"), R"("C:\\temp")");
    EXPECT_EQ(doc.toJson(), R"({"p":"C:\\temp","k\\":["\\"]})");
    EXPECT_EQ(doc.memberNames(""), "p\r\nk\\");
    EXPECT_EQ(doc.leaves("", true), (std::vector<std::string>{"C:\\temp", "\\"}));
}

TEST(JsonDoc, SubDocumentIsIndependentCopy)
{
    const JsonDoc doc = parsed(R"({"count":5,"n":{"v":[1]},"s":"5"})");
    EXPECT_EQ(doc.subDocument("count").toJson(), "5");
    EXPECT_EQ(doc.subDocument("s").toJson(), "\"5\"");
    EXPECT_EQ(parsed(R"({"count":"5"})").subDocument("count").toJson(), "\"5\"");

    JsonDoc sub = doc.subDocument("n");
    EXPECT_EQ(sub.textAt("v[0]"), "1");
    EXPECT_TRUE(sub.append("v", "2"));
    EXPECT_EQ(sub.toJson(), R"({"v":[1,2]})");
    EXPECT_EQ(doc.jsonAt("n"), R"({"v":[1]})");

    const JsonDoc absent = doc.subDocument("nope");
    EXPECT_EQ(absent.toJson(), "null");
    EXPECT_EQ(absent.typeAt(""), 0);

    JsonDoc moved = std::move(sub);
    EXPECT_EQ(moved.textAt("v"), "1,2");
    EXPECT_EQ(sub.toJson(), "null"); // NOLINT(bugprone-use-after-move): moved-from reads null
    EXPECT_TRUE(sub.parse("[1]"));
    EXPECT_EQ(sub.toJson(), "[1]");
}

TEST(JsonDoc, ValueText)
{
    struct Case
    {
        std::string reply;
        const char *path;
        std::string value;
        std::string replyAfter;
    };
    const Case cases[] = {
        {R"({"data":{"username":"张三","money":12.5,"vip":false,"id":12}})", "data.username",
         "张三", ""},
        {R"({"data":{"money":12.5}})", "data.money", "12.5", ""},
        {R"({"data":{"money":1e21}})", "data.money", "1e+21", ""},
        {R"({"data":{"vip":false}})", "data.vip", "false", ""},
        {R"({"data":{"mobi":null}})", "data.mobi", "null", ""},
        {R"({"data":{"mobi":null}})", "data.nope", "", ""},
        {R"({"data":{"a":[1,"x"]}})", "data", R"({"a":[1,"x"]})", ""},
        {R"({"data":{"s":"5"}})", "data.s", "5", ""},
        {"{\"data\":\r\n{\"name\":\"a\r\nb\"}}", "data.name", "ab", "{\"data\":{\"name\":\"ab\"}}"},
        {"", "data", "JSON解析失败", ""},
        {"null", "data", "JSON解析失败", ""},
        {"<html>502</html>", "data", "JSON解析失败", ""},
    };
    for (const Case &c : cases) {
        std::string reply = c.reply;
        EXPECT_EQ(JsonDoc::valueText(reply, c.path), c.value) << c.reply;
        EXPECT_EQ(reply, c.replyAfter.empty() ? c.reply : c.replyAfter) << c.reply;
    }
}

TEST(JsonDoc, DeepNestingIsRefused)
{
    JsonDoc doc;
    EXPECT_FALSE(doc.parse(std::string(100000, '[')));
    EXPECT_FALSE(doc.parse(std::string(100000, '[') + std::string(100000, ']')));
    EXPECT_FALSE(doc.parse(std::string(513, '[') + std::string(513, ']')));
    std::string objects;
    for (int i = 0; i < 100000; ++i)
        objects += "{\"a\":";
    EXPECT_FALSE(doc.parse(objects));
    EXPECT_EQ(doc.toJson(), "null");

    const std::string deepest = std::string(512, '[') + std::string(512, ']');
    ASSERT_TRUE(doc.parse(deepest));
    EXPECT_EQ(doc.toJson(), deepest);
    EXPECT_EQ(JsonDoc(doc).toJson(), deepest);
    // Edits cannot build past the limit either.
    std::string path;
    for (int i = 0; i < 511; ++i)
        path += "[0]";
    EXPECT_EQ(doc.typeAt(path), 5);
    EXPECT_FALSE(doc.append(path, "[]"));
    EXPECT_TRUE(doc.append(path, "0"));
    EXPECT_FALSE(doc.setJson(path + "[0]", "[]"));
}

TEST(JsonDoc, LargeReply)
{
    // A megabyte object of distinct members, and an array of a hundred thousand records.
    std::string members = "{";
    for (int i = 0; i < 100000; ++i)
        members += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    members += "}";
    JsonDoc doc;
    ASSERT_TRUE(doc.parse(members));
    EXPECT_EQ(doc.textAt("k99999"), "99999");

    std::string records = R"({"count":100000,"data":[)";
    for (int i = 0; i < 100000; ++i)
        records += (i ? "," : "") + std::string(R"({"id":)") + std::to_string(i) + "}";
    records += "]}";
    ASSERT_TRUE(doc.parse(records));
    EXPECT_EQ(doc.count("data"), 100000u);
    EXPECT_EQ(doc.textAt("data[99999].id"), "99999");
}

TEST(JsonDoc, Editing)
{
    JsonDoc doc;
    EXPECT_TRUE(doc.setText("name", "a\"b"));
    EXPECT_TRUE(doc.setJson("list", "[1]"));
    EXPECT_TRUE(doc.setJson("da.obj", R"({"a":1})"));
    EXPECT_TRUE(doc.setJson("obj", R"({"b":2,"a":3})", true));
    EXPECT_TRUE(doc.setJson("list", "[2,3]", true));
    EXPECT_TRUE(doc.setJson("list", "4", true));
    EXPECT_TRUE(doc.setText("list[4]", "end")); // one past the end appends
    EXPECT_FALSE(doc.setText("list[6]", "gap"));
    EXPECT_FALSE(doc.setText("no.such", "x"));
    EXPECT_FALSE(doc.setJson("bad", "{"));
    EXPECT_EQ(doc.toJson(), R"({"name":"a\"b","list":[1,2,3,4,"end"],"obj":{"a":3,"b":2}})");

    EXPECT_TRUE(doc.prepend("list", "0"));
    EXPECT_TRUE(doc.append("da.list", "null"));
    EXPECT_TRUE(doc.setElement("list", 0, "-1"));
    EXPECT_TRUE(doc.insertElement("list", 1, R"({"in":true})"));
    EXPECT_TRUE(doc.insertElement("list", 8, "9"));
    EXPECT_FALSE(doc.insertElement("list", 10, "9"));
    EXPECT_FALSE(doc.setElement("list", 9, "9"));
    EXPECT_TRUE(doc.removeElement("list", 2));
    EXPECT_FALSE(doc.removeElement("list", 8));
    EXPECT_FALSE(doc.append("obj", "1"));
    EXPECT_EQ(doc.jsonAt("list"), R"([-1,{"in":true},2,3,4,"end",null,9])");
    EXPECT_EQ(doc.count("list"), 8u);
    EXPECT_EQ(doc.count("obj"), 0u);
    EXPECT_EQ(doc.count("nope"), 0u);

    EXPECT_TRUE(doc.exists("list[6]"));
    EXPECT_FALSE(doc.exists("list[8]"));
    EXPECT_EQ(doc.memberNames("obj"), "a\r\nb");
    EXPECT_EQ(doc.memberNames("list"), "");
    EXPECT_TRUE(doc.removeMember("da.obj.a"));
    EXPECT_FALSE(doc.removeMember("obj.a"));
    EXPECT_FALSE(doc.removeMember(""));
    EXPECT_EQ(doc.jsonAt("obj"), R"({"b":2})");

    EXPECT_EQ(doc.leaves("list"), (std::vector<std::string>{"-1", "2", "3", "4", "end", "9"}));
    EXPECT_EQ(doc.leaves("list", true),
              (std::vector<std::string>{"-1", "true", "2", "3", "4", "end", "9"}));
    EXPECT_EQ(doc.leaves("name"), (std::vector<std::string>{"a\"b"}));
    EXPECT_TRUE(doc.leaves("nope").empty());

    EXPECT_EQ(doc.evaluate("da.list[1].in"), "true");
    EXPECT_EQ(doc.evaluate("da.name"), "a\"b");
    EXPECT_EQ(doc.evaluate("name"), "");
    EXPECT_EQ(doc.evaluate("1+1"), "");

    EXPECT_TRUE(doc.setJson("", "[]"));
    EXPECT_EQ(doc.toJson(), "[]");
    doc.reset();
    EXPECT_EQ(doc.toJson(), "{}");
    EXPECT_FALSE(doc.parse("x"));
    EXPECT_FALSE(doc.setText("a", "1")); // a null document has no members to set
}
