#include "LoopbackServer.h"
#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"

#include <gtest/gtest.h>

using namespace cloud;

TEST(ApiReply, CodesAreComparedWhole)
{
    struct Case
    {
        const char *reply;
        bool success;
    };
    const Case cases[] = {{"1000", true}, {"1000\r\n", false}, {" 1000", false},
                          {"", false},    {"10000", false},    {"500", false}};
    for (const Case &c : cases)
        EXPECT_EQ(ApiReply::isCode(c.reply, api::kCodeSuccess), c.success) << c.reply;
    // Code replies of the sign-in requests may arrive escaped.
    EXPECT_EQ(ApiReply::decodedCode("\\u0031000"), "1000");
}

TEST(ApiReply, StatusJson)
{
    struct Case
    {
        const char *reply;
        bool success;
    };
    const Case cases[] = {
        {R"({"status":200,"data":"ok"})", true},
        {R"({"status":"200","data":"ok"})", false},
        {R"({"status":201})", false},
        {R"({"data":"no status"})", false},
        {"not json", false},
        {"", false},
    };
    for (const Case &c : cases) {
        JsonDoc doc;
        doc.parse(c.reply);
        EXPECT_EQ(ApiReply::statusSucceeded(doc), c.success) << c.reply;
    }
}

TEST(ApiReply, ListJson)
{
    struct Case
    {
        const char *reply;
        std::int64_t count;
        std::int64_t pages;
    };
    const Case cases[] = {
        {R"({"count":0,"data":[]})", 0, 0}, {R"({"count":"5","data":[]})", 0, 0},
        {R"({"data":[]})", 0, 0},           {"garbage", 0, 0},
        {R"({"count":5})", 5, 1},           {R"({"count":6})", 6, 2},
        {R"({"count":11})", 11, 3},
    };
    for (const Case &c : cases) {
        JsonDoc doc;
        doc.parse(c.reply);
        EXPECT_EQ(ApiReply::listCount(doc), c.count) << c.reply;
        EXPECT_EQ(ApiReply::pageCount(ApiReply::listCount(doc)), c.pages) << c.reply;
    }

    JsonDoc doc;
    ASSERT_TRUE(doc.parse(R"({"count":2,"data":[{"id":7,"name":"a"},{"id":"8"}]})"));
    EXPECT_EQ(ApiReply::recordPath(1, "id"), "data[1].id");
    EXPECT_EQ(ApiReply::recordJson(doc, 0, "id"), "7");
    EXPECT_EQ(ApiReply::recordJson(doc, 1, "id"), "\"8\"");
    EXPECT_EQ(ApiReply::recordText(doc, 0, "name"), "a");
    EXPECT_EQ(ApiReply::recordText(doc, 1, "name"), "");
}

TEST(ApiReply, ObjectJson)
{
    JsonDoc doc;
    ASSERT_TRUE(doc.parse(R"({"data":{"username":"张三","mobi":"13800000000"}})"));
    EXPECT_EQ(ApiReply::dataField(doc, "username"), "张三");
    EXPECT_EQ(ApiReply::dataField(doc, "missing"), "");
}

TEST(ApiClient, FormsTravelAsTypedAndRepliesComeBackAsText)
{
    // "运行中" in GBK, followed by a zero byte and trailing garbage.
    const std::string gbkBody =
        std::string("\xD4\xCB\xD0\xD0\xD6\xD0", 6) + std::string(1, '\0') + "x";
    LoopbackServer server([&](const std::string &) {
        return LoopbackServer::Reply{LoopbackServer::reply("200 OK", "", gbkBody)};
    });
    ApiClient client(server.url(""));
    FieldList form;
    form.add("username", "用户名/账号");
    form.add("password", "a&b");
    EXPECT_EQ(client.postForm(api::kLoginPost, form), "运行中");

    const std::string request = server.lastRequest();
    EXPECT_EQ(LoopbackServer::requestLine(request), "POST /user/loginpost HTTP/1.1");
    const std::string body = request.substr(request.find("\r\n\r\n") + 4);
    EXPECT_EQ(body, "username=\xD3\xC3\xBB\xA7\xC3\xFB/\xD5\xCB\xBA\xC5&password=a&b");
    EXPECT_NE(request.find("Content-Type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);

    // The host list is a POST with an empty body.
    client.postText(std::string(api::kHostList) + "1" + std::string(api::kHostListTail), "");
    EXPECT_EQ(LoopbackServer::requestLine(server.lastRequest()),
              "POST /user/data/vpslist?page=1&limit=5&ljs=1 HTTP/1.1");
    EXPECT_NE(server.lastRequest().find("Content-Length: 0\r\n"), std::string::npos);
}

TEST(ApiClient, NoRedirectSeesTheRedirectItself)
{
    LoopbackServer server([](const std::string &request) {
        if (LoopbackServer::requestLine(request).find("/target") != std::string::npos)
            return LoopbackServer::Reply{LoopbackServer::reply("200 OK", "", "target")};
        return LoopbackServer::Reply{
            LoopbackServer::reply("302 Found", "Location: /target\r\n", "")};
    });
    ApiClient client(server.url(""));
    EXPECT_EQ(client.postText("/user/ycpjgb", "id=1", true), "");
    EXPECT_EQ(client.postText("/user/ycpjgb", "id=1", false), "target");
}

TEST(ApiClient, UnreachableServiceGivesEmptyText)
{
    ApiClient client("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()));
    EXPECT_EQ(client.getText(std::string(api::kClientInfo) + std::string(api::kActVersion)), "");
}
