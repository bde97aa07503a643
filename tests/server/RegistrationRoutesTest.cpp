#include "Browser.h"
#include "ServiceFixture.h"

#include "Database.h"
#include "SmsCodes.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace refservice;
using namespace refservice::test;
using namespace std::chrono_literals;

namespace {

constexpr const char *newMobile = "13612345678";

class RegistrationRoutesTest : public ::testing::Test
{
protected:
    std::string askCode(const std::string &mobile)
    {
        return browser.post("/user/data/Register?act=yzm", "mobi=" + mobile).text;
    }
    std::string registerWith(const std::string &mobile, const std::string &password,
                             const std::string &code)
    {
        return browser
            .post("/user/data/Register?act=reg",
                  "mobi=" + mobile + "&password=" + password + "&captcha=" + code)
            .text;
    }
    // What the SMS would have carried: the latest code stored for the number.
    std::string sentCode(const std::string &mobile)
    {
        const auto row = service.app().database().queryOne(
            "SELECT code FROM sms_codes WHERE mobile = ? ORDER BY id DESC LIMIT 1", {mobile});
        return row ? row->text("code") : std::string();
    }

    RunningService service;
    Browser browser{service};
};

} // namespace

TEST_F(RegistrationRoutesTest, SmsCodeRequestAnswersItsCodes)
{
    struct Case
    {
        std::string mobile;
        std::string code;
    };
    const Case cases[] = {
        {newMobile, "1000"},
        {newMobile, "1002"},      // again within the minute
        {"13612345679", "1000"},  // the pause is per number
        {"13800000000", "1003"},  // has an account
        {"手机号码", "1001"},     // the box's hint
        {"23612345678", "1001"},  // does not start with 1
        {"1361234567", "1001"},   // 10 digits
        {"136123456789", "1001"}, // 12 digits
        {"", "1001"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(askCode(c.mobile), c.code) << c.mobile;
    EXPECT_EQ(sentCode(newMobile).size(), 6u);
    // Nothing about the number is needed beforehand: no session, no sign-in.
    EXPECT_EQ(browser.accountId(), 0);
}

TEST_F(RegistrationRoutesTest, NewCodeOnlyAfterSixtySeconds)
{
    ASSERT_EQ(askCode(newMobile), "1000");
    const std::string first = sentCode(newMobile);
    service.app().clock().advance(59s);
    EXPECT_EQ(askCode(newMobile), "1002");
    service.app().clock().advance(2s);
    EXPECT_EQ(askCode(newMobile), "1000");
    // The new code retires the old one.
    const std::string second = sentCode(newMobile);
    if (second != first) {
        EXPECT_EQ(registerWith(newMobile, "abc12345", first), "1002");
    }
    EXPECT_EQ(registerWith(newMobile, "abc12345", second), "1000");
}

TEST_F(RegistrationRoutesTest, RegistrationAnswersItsCodes)
{
    ASSERT_EQ(askCode(newMobile), "1000");
    const std::string code = sentCode(newMobile);
    const std::string wrong = code == "000000" ? "111111" : "000000";
    struct Case
    {
        std::string mobile;
        std::string password;
        std::string code;
        std::string answer;
    };
    const Case cases[] = {
        {"1361234567", "abc12345", code, "1004"},
        {newMobile, "abc12", code, "1005"},                 // 5 characters
        {newMobile, "abcdefghij0123456789x", code, "1005"}, // 21 characters
        {newMobile, "abc_12345", code, "1005"},
        {newMobile, "密码abc123", code, "1005"},
        {newMobile, "123456", code, "1008"},
        {newMobile, "x987654y", code, "1008"},
        {"13800000000", "abc12345", code, "1003"},
        {"13512345678", "abc12345", code, "1001"}, // no code was sent to this number
        {newMobile, "abc12345", wrong, "1002"},
        {newMobile, "abc12345", "", "1002"},
        {newMobile, "abc12345", code, "1000"},
        {newMobile, "abc12345", code, "1003"}, // registered now
    };
    for (const Case &c : cases)
        EXPECT_EQ(registerWith(c.mobile, c.password, c.code), c.answer)
            << c.mobile << " " << c.password << " " << c.code;
}

TEST_F(RegistrationRoutesTest, CodeExpiresAfterFiveMinutes)
{
    ASSERT_EQ(askCode(newMobile), "1000");
    const std::string code = sentCode(newMobile);
    service.app().clock().advance(SmsCodes::validity + 1s);
    EXPECT_EQ(registerWith(newMobile, "abc12345", code), "1006");
    ASSERT_EQ(askCode(newMobile), "1000");
    EXPECT_EQ(registerWith(newMobile, "abc12345", sentCode(newMobile)), "1000");
}

TEST_F(RegistrationRoutesTest, WrongTriesSpendTheCode)
{
    ASSERT_EQ(askCode(newMobile), "1000");
    const std::string code = sentCode(newMobile);
    const std::string wrong = code == "000000" ? "111111" : "000000";
    for (int i = 0; i < SmsCodes::maxTries; ++i)
        EXPECT_EQ(registerWith(newMobile, "abc12345", wrong), "1002");
    EXPECT_EQ(registerWith(newMobile, "abc12345", code), "1002");
}

TEST_F(RegistrationRoutesTest, RegisteredAccountSignsInAtOnce)
{
    ASSERT_EQ(askCode(newMobile), "1000");
    ASSERT_EQ(registerWith(newMobile, "Reg2024ok", sentCode(newMobile)), "1000");
    EXPECT_EQ(browser.accountId(), 0); // registering does not sign in
    EXPECT_EQ(browser.signIn(newMobile, "Reg2024ok"), "1000");
    const auto info = nlohmann::json::parse(browser.get("/user/userinfo").text);
    EXPECT_EQ(info["data"]["VerificationResult"], 0);
    EXPECT_EQ(info["data"]["usermoney"], "0.00");
    EXPECT_EQ(nlohmann::json::parse(browser.post("/user/data/vpslist?page=1&limit=5&ljs=1").text),
              nlohmann::json::parse(R"({"count":0,"data":[]})"));
}

TEST_F(RegistrationRoutesTest, PasswordRecoveryNeedsTheAccountsMobile)
{
    struct Case
    {
        std::string form;
        std::string code;
    };
    const Case cases[] = {
        {"username=13800000000&mobi=13800000000", "1000"},
        {"username=13800000000&mobi=13900000000", "1015"},
        {"username=13612345678&mobi=13612345678", "1015"},
        {"username=用户名/账号&mobi=手机号码", "1015"},
        {"", "1015"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(browser.post("/page/GetPasswd/GetPasswd", c.form).text, c.code) << c.form;
    // Nothing was reset: the password still works.
    EXPECT_EQ(browser.signIn("13800000000", "demo1234"), "1000");

    const auto page = browser.get("/user/findpwd/index.html");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.text.find("找回密码"), std::string::npos);
}
