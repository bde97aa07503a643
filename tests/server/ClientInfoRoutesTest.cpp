#include "PngCheck.h"
#include "ServiceFixture.h"

#include "data/Gbk.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

namespace {

class ClientInfoRoutesTest : public ::testing::Test
{
protected:
    RunningService service;
};

} // namespace

TEST_F(ClientInfoRoutesTest, QueriesAnswerGbkTexts)
{
    struct Case
    {
        std::string target;
        std::string utf8;
    };
    const Case cases[] = {
        // The client puts "Ver " in front of the bare number and compares with its label.
        {"/khd?act=ver", "3.8"},
        {"/khd?act=biaoti", "云服务器"},
        {"/khd?act=help", service.app().database().setting("help")},
        {"/khd?act=tcgg", service.app().database().setting("tcgg")},
        {"/khd?act=nosuch", ""},
        {"/khd?act=VER", ""},
        {"/khd", ""},
        {"/khd?act=", ""},
    };
    auto client = service.client();
    for (const Case &c : cases) {
        const auto res = client->Get(c.target.c_str());
        ASSERT_TRUE(res) << c.target;
        EXPECT_EQ(res->status, 200) << c.target;
        EXPECT_EQ(res->body, cloud::utf8ToGbk(c.utf8)) << c.target;
        EXPECT_EQ(res->get_header_value("Content-Type"), "text/html; charset=gbk") << c.target;
    }
    EXPECT_FALSE(service.app().database().setting("help").empty());
}

TEST_F(ClientInfoRoutesTest, TipsAreLinesSeparatedByCrLfWithoutTrailingBreak)
{
    const auto res = service.client()->Get("/khd?act=gg");
    ASSERT_TRUE(res);
    const std::string tips = cloud::gbkToUtf8(res->body);
    ASSERT_NE(tips.find("\r\n"), std::string::npos);
    EXPECT_NE(tips.substr(tips.size() - 2), "\r\n");
    // Every line feed belongs to a CR LF pair, so splitting at CR LF finds all tips.
    std::size_t lineFeeds = 0;
    for (std::size_t i = 0; i < tips.size(); ++i)
        if (tips[i] == '\n') {
            ++lineFeeds;
            EXPECT_EQ(tips[i - 1], '\r');
        }
    EXPECT_GE(lineFeeds, 2u);
    EXPECT_EQ(tips.find("\r\n\r\n"), std::string::npos);
}

TEST_F(ClientInfoRoutesTest, ImagesAreValidPngs)
{
    auto client = service.client();
    std::string previous;
    for (const char *path : {"/img/logo.png", "/img/vx.png", "/img/vx2.png"}) {
        const auto res = client->Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 200) << path;
        EXPECT_EQ(res->get_header_value("Content-Type"), "image/png") << path;
        EXPECT_TRUE(checkPng(res->body).valid) << path;
        EXPECT_NE(res->body, previous) << path;
        previous = res->body;
    }
    EXPECT_EQ(client->Get("/img/none.png")->status, 404);
}

TEST_F(ClientInfoRoutesTest, HomeAndSignInPagesAreGbkHtml)
{
    auto client = service.client();
    for (const char *path : {"/", "/user/login.html"}) {
        const auto res = client->Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 200) << path;
        EXPECT_NE(res->body.find("<html>"), std::string::npos) << path;
        EXPECT_NE(res->body.find(cloud::utf8ToGbk("登录")), std::string::npos) << path;
    }
}
