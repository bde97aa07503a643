#include "ServiceFixture.h"

#include "SessionStore.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

namespace {

std::string cookieId(const httplib::Result &res)
{
    return SessionStore::idFromCookieHeader(res->get_header_value("Set-Cookie"));
}

} // namespace

TEST(SessionGuard, CookieIsIssuedOnFirstContactAndKept)
{
    RunningService service;
    auto client = service.client();
    const auto first = client->Get("/khd?act=ver");
    ASSERT_TRUE(first);
    const std::string id = cookieId(first);
    ASSERT_EQ(id.size(), 32u);
    EXPECT_NE(first->get_header_value("Set-Cookie").find("path=/"), std::string::npos);

    const httplib::Headers known = {{"Cookie", "other=1; sid=" + id}};
    const auto again = client->Get("/khd?act=ver", known);
    EXPECT_FALSE(again->has_header("Set-Cookie"));

    // An id the service never issued, or a malformed one, is replaced by a fresh session.
    for (const std::string cookie : {"sid=0123456789abcdef0123456789abcdef", "sid=../../x"}) {
        const auto res = client->Get("/khd?act=ver", {{"Cookie", cookie}});
        const std::string fresh = cookieId(res);
        EXPECT_EQ(fresh.size(), 32u) << cookie;
        EXPECT_NE(fresh, id) << cookie;
    }
}

TEST(SessionGuard, UserPagesRedirectSignedOutRequestsToTheSignInPage)
{
    RunningService service;
    auto client = service.client();
    const auto first = client->Get("/");
    const httplib::Headers signedOut = {{"Cookie", "sid=" + cookieId(first)}};
    struct Case
    {
        std::string method;
        std::string target;
        httplib::Headers headers;
    };
    const Case cases[] = {
        {"GET", "/user/data/vpslist?page=1&limit=5&ljs=1", {}},
        {"POST", "/user/data/vpslist?page=1&limit=5&ljs=1", {}},
        {"GET", "/user/userinfo", signedOut},
        {"POST", "/user/data/installos", signedOut},
        {"GET", "/user/no/such/page", {}},
    };
    for (const Case &c : cases) {
        const auto res = c.method == "GET" ? client->Get(c.target.c_str(), c.headers)
                                           : client->Post(c.target.c_str(), c.headers, "id=1",
                                                          "application/x-www-form-urlencoded");
        ASSERT_TRUE(res) << c.target;
        EXPECT_EQ(res->status, 302) << c.method << " " << c.target;
        EXPECT_EQ(res->get_header_value("Location"), "/user/login.html") << c.target;
        EXPECT_EQ(res->body.find('{'), std::string::npos) << c.target;
    }
}

TEST(SessionGuard, SignedInSessionPassesTheGuard)
{
    RunningService service;
    auto client = service.client();
    const std::string id = cookieId(client->Get("/"));
    ASSERT_TRUE(service.app().sessions().signIn(id, 1));
    // No page lives there yet; the guard lets the request through to the plain 404.
    const auto res = client->Get("/user/no/such/page", {{"Cookie", "sid=" + id}});
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 404);
}

TEST(SessionGuard, FollowingTheRedirectEndsOnTheSignInPage)
{
    RunningService service;
    auto client = service.client();
    client->set_follow_location(true);
    const auto res = client->Get("/user/userinfo");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_NE(res->body.find("<html>"), std::string::npos);
}
