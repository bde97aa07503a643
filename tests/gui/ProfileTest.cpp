#include "TestPacing.h"

#include "app/AppSession.h"
#include "finance/AccountRefreshLoop.h"
#include "finance/ProfileReply.h"
#include "finance/UserProfile.h"

#include <gtest/gtest.h>

#include <deque>

namespace cloud::test {
namespace {

std::string profileReply(const std::string &verification, const std::string &mobile = "\"138\"")
{
    return R"({"code":0,"data":{"VerificationResult":)" + verification +
           R"(,"truename":"张三","usermoney":12.5,"mobi":)" + mobile +
           R"(,"QQ":"10001","email":"a@example.com"}})";
}

TEST(ProfileReply, OnlyAVerificationResultOfOneVerifies)
{
    const std::pair<const char *, const char *> cases[] = {
        {"1", "张三"},   {"\"1\"", "张三"}, {"\"true\"", "未实名"}, {"true", "未实名"},
        {"2", "未实名"}, {"0", "未实名"},   {"null", "未实名"},     {"\"01\"", "未实名"}};
    for (const auto &[verification, realName] : cases) {
        const auto profile = ProfileReply::profile(profileReply(verification));
        ASSERT_TRUE(profile.has_value()) << verification;
        EXPECT_EQ(profile->realName, realName) << verification;
    }
    const auto profile = ProfileReply::profile(profileReply("1"));
    EXPECT_EQ(profile->balance, "12.5元");
    EXPECT_EQ(profile->mobile, "138");
}

TEST(ProfileReply, RepliesThatAreNotJsonCarryNothing)
{
    for (const char *reply : {"", "<html>login</html>", "{\"data\":"}) {
        EXPECT_FALSE(ProfileReply::profile(reply).has_value()) << reply;
        EXPECT_EQ(ProfileReply::userName(reply), "") << reply;
    }
    EXPECT_EQ(ProfileReply::userName(R"({"data":{}})"), "");
    EXPECT_EQ(ProfileReply::userName(R"({"data":{"username":null}})"), "");
    EXPECT_EQ(ProfileReply::userName("{\"data\":\r\n{\"username\":\"demo\"}}"), "demo");
}

TEST(UserProfile, EmptyContactFieldsKeepThePreviousOnes)
{
    UserProfile &profile = UserProfile::instance();
    profile.clear();
    profile.applyProfile("1元", "13800000000", "10001", "a@example.com");
    profile.applyProfile("2元", "", "", "b@example.com");
    EXPECT_EQ(profile.balanceText(), "2元");
    EXPECT_EQ(profile.mobile(), "13800000000");
    EXPECT_EQ(profile.qq(), "10001");
    EXPECT_EQ(profile.email(), "b@example.com");
    profile.clear();
}

// The refresh loop against scripted answers.
class RefreshLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Pacing::install(pacing);
        AppSession::instance().setSessionStopped(false);
        UserProfile::instance().clear();
    }
    void TearDown() override
    {
        Pacing::install(nullptr);
        AppSession::instance().setSessionStopped(false);
        UserProfile::instance().clear();
    }

    AccountRefreshLoop loop()
    {
        AccountRefreshLoop::Hooks hooks;
        hooks.current = [this] { return current; };
        hooks.checkSession = [this] {
            ++checks;
            return session;
        };
        hooks.loadUserName = [this] {
            if (signOutOnNextName)
                current = false;
            std::string name = names.empty() ? "demo" : names.front();
            if (!names.empty())
                names.pop_front();
            return name;
        };
        hooks.loadProfile = [this] { return profile; };
        hooks.showUserName = [this](const std::string &name) { shownNames.push_back(name); };
        hooks.reloadHostList = [this] { ++reloads; };
        hooks.networkFailed = [this] { ++failures; };
        return AccountRefreshLoop(std::move(hooks));
    }

    std::shared_ptr<InstantPacing> pacing = std::make_shared<InstantPacing>();
    bool current = true;
    bool signOutOnNextName = false;
    std::string session = "1000";
    std::deque<std::string> names;
    std::optional<std::string> profile = std::string("张三");
    std::vector<std::string> shownNames;
    int checks = 0;
    int reloads = 0;
    int failures = 0;
};

TEST_F(RefreshLoopTest, PassConfirmsSessionShowsNameAndStoresRealName)
{
    AccountRefreshLoop refresh = loop();
    EXPECT_TRUE(refresh.runPass());
    EXPECT_EQ(shownNames, std::vector<std::string>{"demo"});
    EXPECT_EQ(UserProfile::instance().userName(), "demo");
    EXPECT_EQ(UserProfile::instance().realNameText(), "张三");
    EXPECT_TRUE(refresh.pauseAndReload());
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(pacing->total(), std::chrono::seconds(30));

    // A profile that did not load leaves the real-name text as it was.
    profile.reset();
    EXPECT_TRUE(refresh.runPass());
    EXPECT_EQ(UserProfile::instance().realNameText(), "张三");
}

TEST_F(RefreshLoopTest, TwoPassesInARowWithoutNameEndTheProgram)
{
    names = {"", ""};
    AccountRefreshLoop refresh = loop();
    EXPECT_TRUE(refresh.runPass());
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(shownNames.empty());
    EXPECT_FALSE(refresh.runPass());
    EXPECT_EQ(failures, 1);
}

TEST_F(RefreshLoopTest, NameInBetweenResetsTheCount)
{
    names = {"", "demo", "", "demo", ""};
    AccountRefreshLoop refresh = loop();
    for (int pass = 0; pass < 5; ++pass)
        EXPECT_TRUE(refresh.runPass()) << pass;
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(refresh.missCount(), 1);
}

TEST_F(RefreshLoopTest, FailedSessionCheckEndsTheLoopWithoutReloadingTheList)
{
    session = "1001";
    loop().run();
    EXPECT_TRUE(AppSession::instance().sessionStopped());
    EXPECT_EQ(checks, 1);
    // The pass itself still ran to its end.
    EXPECT_EQ(shownNames, std::vector<std::string>{"demo"});
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(failures, 0);
}

TEST_F(RefreshLoopTest, LoopSignedOutDuringAPassDoesNotEndTheProgram)
{
    names = {"", ""};
    AccountRefreshLoop refresh = loop();
    EXPECT_TRUE(refresh.runPass());
    signOutOnNextName = true;
    EXPECT_FALSE(refresh.runPass());
    EXPECT_EQ(failures, 0);
}

TEST_F(RefreshLoopTest, StoppedSessionRunsNoPass)
{
    AppSession::instance().setSessionStopped(true);
    loop().run();
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(reloads, 0);
}

} // namespace
} // namespace cloud::test
