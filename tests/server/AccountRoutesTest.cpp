#include "Browser.h"
#include "ServiceFixture.h"

#include "Database.h"
#include "PasswordHash.h"
#include "SignInLimiter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace refservice;
using namespace refservice::test;
using namespace std::chrono_literals;

namespace {

constexpr const char *demoName = "13800000000";
constexpr const char *demoPassword = "demo1234";

std::string loginForm(const std::string &name, const std::string &password,
                      const std::string &captcha)
{
    return "username=" + name + "&password=" + password + "&captcha=" + captcha +
           "&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8";
}

std::string keyForm(const std::string &name, const std::string &password)
{
    return "username=" + name + "&password=" + password +
           "&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8";
}

class AccountRoutesTest : public ::testing::Test
{
protected:
    RunningService service;
};

} // namespace

TEST_F(AccountRoutesTest, SignInAnswersItsCodes)
{
    struct Case
    {
        const char *what;
        std::string name;
        std::string password;
        bool rightCaptcha;
        std::string code;
    };
    const Case cases[] = {
        {"right", demoName, demoPassword, true, "1000"},
        {"wrong password", demoName, "demo12345", true, "1001"},
        {"unknown account", "13812345678", demoPassword, true, "1001"},
        {"hint texts", "用户名/账号", "密码", true, "1001"},
        {"wrong captcha", demoName, demoPassword, false, "1002"},
    };
    for (const Case &c : cases) {
        Browser browser(service);
        const std::string digits = browser.captcha();
        ASSERT_EQ(digits.size(), 4u);
        const auto reply = browser.post(
            "/user/loginpost", loginForm(c.name, c.password, c.rightCaptcha ? digits : "0000x"));
        EXPECT_EQ(reply.status, 200) << c.what;
        EXPECT_EQ(reply.text, c.code) << c.what;
        EXPECT_EQ(browser.accountId(), c.code == "1000" ? 1 : 0) << c.what;
    }
}

TEST_F(AccountRoutesTest, OnePictureAnswersOneAttempt)
{
    Browser browser(service);
    const std::string digits = browser.captcha();
    EXPECT_EQ(browser.post("/user/loginpost", loginForm(demoName, "wrong1", digits)).text, "1001");
    // The same text again, now with the right password: the picture is used up.
    EXPECT_EQ(browser.post("/user/loginpost", loginForm(demoName, demoPassword, digits)).text,
              "1002");
    // Without any picture there is nothing to match, not even an empty text.
    Browser fresh(service);
    fresh.get("/");
    EXPECT_EQ(fresh.post("/user/loginpost", loginForm(demoName, demoPassword, "")).text, "1002");
    // The sign-out that precedes every sign-in keeps the picture.
    EXPECT_EQ(browser.signIn(demoName, demoPassword), "1000");
}

TEST_F(AccountRoutesTest, CaptchaIsAFreshPngPerRequest)
{
    Browser browser(service);
    const auto first = service.client()->Get("/user/captcha?id=0.1");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(first->body.substr(1, 3), "PNG");
    EXPECT_EQ(first->get_header_value("Cache-Control"), "no-store");
    const std::string a = browser.captcha();
    std::string b;
    for (int i = 0; i < 5 && (b.empty() || b == a); ++i)
        b = browser.captcha(); // four random digits repeat one time in 10000
    EXPECT_NE(a, b);
    EXPECT_EQ(browser.session()->captcha, b);
}

TEST_F(AccountRoutesTest, PasswordWithAmpersandArrivesWhole)
{
    const PasswordHash::Digest digest = PasswordHash::make("p&ss=1&&x");
    ASSERT_NE(service.app().database().insert(
                  "INSERT INTO accounts(mobile, password_salt, password_hash, created) "
                  "VALUES('13700000000', ?, ?, '2024-01-01 00:00:00')",
                  {digest.salt, digest.hash}),
              0);
    Browser browser(service);
    EXPECT_EQ(browser.signIn("13700000000", "p&ss=1&&x"), "1000");
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm("13700000000", "p&ss=1&&x")).text, "1000");
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm("13700000000", "p")).text, "1001");
}

TEST_F(AccountRoutesTest, SignInMovesTheAccountToANewSessionAndSignOutEndsIt)
{
    Browser browser(service);
    browser.get("/");
    const std::string before = browser.sid();
    const auto guarded = browser.get("/user/userinfo");
    EXPECT_EQ(guarded.status, 302);

    EXPECT_EQ(browser.signIn(demoName, demoPassword), "1000");
    EXPECT_NE(browser.sid(), before);
    EXPECT_FALSE(service.app().sessions().touch(before)); // the old id is worth nothing
    EXPECT_EQ(browser.get("/user/userinfo").status, 200);

    // The periodic session check keeps the session it confirms.
    const std::string signedIn = browser.sid();
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "1000");
    EXPECT_EQ(browser.sid(), signedIn);

    browser.get("/user/logout.asp");
    EXPECT_EQ(browser.sid(), signedIn);
    EXPECT_EQ(browser.accountId(), 0);
    EXPECT_EQ(browser.get("/user/userinfo").status, 302);
}

TEST_F(AccountRoutesTest, FailedSessionCheckSignsTheSessionOut)
{
    Browser browser(service);
    ASSERT_EQ(browser.signIn(demoName, demoPassword), "1000");
    // The password was changed elsewhere: the check fails and the session is over.
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, "old-password")).text, "1001");
    EXPECT_EQ(browser.get("/user/data/usernmae").status, 302);
    // A session check as another account moves the session to that account.
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm("13900000000", demoPassword)).text, "1000");
    EXPECT_EQ(browser.accountId(), 2);
}

TEST_F(AccountRoutesTest, RepeatedFailuresLockTheNameForTenMinutes)
{
    Browser browser(service);
    for (int i = 0; i < SignInLimiter::maxFailures; ++i)
        EXPECT_EQ(
            browser.post("/user/khdloginpd", keyForm(demoName, "guess" + std::to_string(i))).text,
            "1001");
    // Locked: even the right password, even with a right captcha.
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "1003");
    EXPECT_EQ(browser.signIn(demoName, demoPassword), "1003");
    // Another name is not affected; unknown names are counted just the same.
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm("13900000000", demoPassword)).text, "1000");

    service.app().clock().advance(9min);
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "1003");
    service.app().clock().advance(61s);
    EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "1000");
    // A success forgets the earlier failures: two rounds of one failure fewer than the limit
    // never lock.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < SignInLimiter::maxFailures - 1; ++i)
            browser.post("/user/khdloginpd", keyForm(demoName, "guess"));
        EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "1000");
    }
}

TEST(AccountMaintenance, BothSignInsAnswer500)
{
    const auto check = [](RunningService &service) {
        Browser browser(service);
        const std::string digits = browser.captcha();
        EXPECT_EQ(browser.post("/user/loginpost", loginForm(demoName, demoPassword, digits)).text,
                  "500");
        EXPECT_EQ(browser.post("/user/khdloginpd", keyForm(demoName, demoPassword)).text, "500");
        EXPECT_EQ(browser.accountId(), 0);
    };
    ServiceOptions options;
    options.maintenance = true;
    RunningService byOption(options);
    check(byOption);

    RunningService bySetting;
    ASSERT_TRUE(bySetting.app().database().setSetting("maintenance", "1"));
    check(bySetting);
    ASSERT_TRUE(bySetting.app().database().setSetting("maintenance", "0"));
    Browser browser(bySetting);
    EXPECT_EQ(browser.signIn(demoName, demoPassword), "1000");
}

TEST_F(AccountRoutesTest, ProfileQueriesGiveTheKeysTheClientReads)
{
    Browser browser(service);
    ASSERT_EQ(browser.signIn(demoName, demoPassword), "1000");
    const auto name = nlohmann::json::parse(browser.get("/user/data/usernmae").text);
    EXPECT_EQ(name["data"]["username"], demoName);

    const auto info = nlohmann::json::parse(browser.get("/user/userinfo").text);
    EXPECT_EQ(info["data"]["VerificationResult"], 1);
    EXPECT_EQ(info["data"]["truename"], "张三");
    EXPECT_EQ(info["data"]["usermoney"], "500.00");
    EXPECT_EQ(info["data"]["mobi"], demoName);
    EXPECT_EQ(info["data"]["QQ"], "10001");
    EXPECT_EQ(info["data"]["email"], "demo@example.com");

    Browser other(service);
    ASSERT_EQ(other.signIn("13900000000", demoPassword), "1000");
    const auto unverified = nlohmann::json::parse(other.get("/user/userinfo").text);
    EXPECT_EQ(unverified["data"]["VerificationResult"], 0);
    EXPECT_EQ(unverified["data"]["truename"], "");
    EXPECT_EQ(unverified["data"]["usermoney"], "12.50");
}
