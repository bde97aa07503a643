#include "VersionQuery.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

using namespace updater;

namespace {

LoopbackServer::Reply versionRoute(const std::string &request)
{
    const std::string line = LoopbackServer::requestLine(request);
    if (line.find("/khd?act=ver ") != std::string::npos)
        return {LoopbackServer::reply("200 OK", "", "3.9")};
    if (line.find("/gbk ") != std::string::npos)
        return {LoopbackServer::reply("200 OK", "", "\xB0\xE6 3.9")}; // "版 3.9" in GBK
    return {LoopbackServer::reply("404 Not Found", "", "no such page")};
}

} // namespace

TEST(VersionQuery, TakesOnlyASuccessfulWebReply)
{
    LoopbackServer server{versionRoute};
    struct Case
    {
        std::string url;
        std::string text;
    };
    const Case cases[] = {
        {server.url("/khd?act=ver"), "3.9"},
        {server.url("/gbk"), "版 3.9"},
        {server.url("/missing"), ""}, // an error page is no version
        {"http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/khd?act=ver", ""},
        {"file:///etc/hostname", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fetchVersionText(c.url), c.text) << c.url;
}
