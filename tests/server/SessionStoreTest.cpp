#include "SessionStore.h"

#include <gtest/gtest.h>

#include <set>

using namespace refservice;
using namespace std::chrono_literals;

namespace {

// A clock the test moves by hand.
struct FakeClock
{
    std::chrono::steady_clock::time_point now{};
    SessionStore::Clock function()
    {
        return [this] { return now; };
    }
};

} // namespace

TEST(SessionStore, SessionsEndAfterIdleLimit)
{
    FakeClock clock;
    SessionStore store(20min, 100, clock.function());
    const SessionData session = store.create();
    EXPECT_EQ(session.accountId, 0);
    clock.now += 19min;
    ASSERT_TRUE(store.touch(session.id)); // a request refreshes the session
    clock.now += 19min;
    EXPECT_TRUE(store.touch(session.id));
    clock.now += 21min;
    EXPECT_FALSE(store.touch(session.id));
    EXPECT_FALSE(store.signIn(session.id, 1));
}

TEST(SessionStore, CapacityEvictsTheLongestIdle)
{
    FakeClock clock;
    SessionStore store(20min, 3, clock.function());
    const std::string a = store.create().id;
    clock.now += 1s;
    const std::string b = store.create().id;
    clock.now += 1s;
    const std::string c = store.create().id;
    clock.now += 1s;
    store.touch(a);
    const std::string d = store.create().id;
    EXPECT_EQ(store.size(), 3u);
    EXPECT_TRUE(store.touch(a));
    EXPECT_FALSE(store.touch(b));
    EXPECT_TRUE(store.touch(c));
    EXPECT_TRUE(store.touch(d));
}

TEST(SessionStore, SignInAndCaptchaAreKeptPerSession)
{
    SessionStore store;
    const std::string a = store.create().id;
    const std::string b = store.create().id;
    EXPECT_NE(a, b);
    ASSERT_TRUE(store.signIn(a, 7));
    store.setCaptcha(a, "4821");
    EXPECT_EQ(store.touch(a)->accountId, 7);
    EXPECT_EQ(store.touch(b)->accountId, 0);
    EXPECT_EQ(store.takeCaptcha(b), "");
    // One captcha answers one attempt.
    EXPECT_EQ(store.takeCaptcha(a), "4821");
    EXPECT_EQ(store.takeCaptcha(a), "");
    store.signOut(a);
    EXPECT_EQ(store.touch(a)->accountId, 0);
}

TEST(SessionStore, IdsAreRandomHexAndCookiesParse)
{
    SessionStore store;
    std::set<std::string> ids;
    for (int i = 0; i < 50; ++i)
        ids.insert(store.create().id);
    EXPECT_EQ(ids.size(), 50u);
    const std::string id = *ids.begin();
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos);

    struct Case
    {
        std::string header;
        std::string id;
    };
    const Case cases[] = {
        {"sid=" + id, id},
        {"a=1;  sid=" + id + " ; b=2", id},
        {"xsid=" + id, ""},
        {"sid=" + id.substr(1), ""},
        {"sid=" + std::string(32, 'G'), ""},
        {"sid=bad; sid=" + id, id},
        {"", ""},
        {";;;=", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SessionStore::idFromCookieHeader(c.header), c.id) << c.header;
}
