#include "app/StartupConfig.h"
#include "app/AppSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

using namespace cloud;

namespace {

struct IniWrite
{
    std::string path, section, key, value;
};

// A service that answers from a table and records what start-up wrote.
class StartupFixture : public ::testing::Test
{
protected:
    StartupInputs inputs()
    {
        StartupInputs in;
        in.apiHost = "api.example.com";
        in.localVersion = "Ver 3.8";
        in.programDir = "/opt/client";
        in.documentsDir = "/home/u/Documents";
        in.fetch = [this](const std::string &url) {
            std::lock_guard lock(mutex);
            requested.push_back(url);
            const auto it = replies.find(url);
            return it == replies.end() ? std::string() : it->second;
        };
        in.writeIni = [this](const std::string &path, const std::string &section,
                             const std::string &key, const std::string &value) {
            writes.push_back({path, section, key, value});
        };
        in.deviceKey = [] { return std::string("0123456789ABCDEF"); };
        return in;
    }

    StartupOutcome runWith(const std::string &versionReply)
    {
        replies["http://api.example.com/khd?act=ver"] = versionReply;
        return StartupConfig(inputs()).run(session);
    }

    std::map<std::string, std::string> replies;
    std::mutex mutex;
    std::vector<std::string> requested;
    std::vector<IniWrite> writes;
    AppSession session;
};

} // namespace

TEST_F(StartupFixture, FillsTheSessionFromTheService)
{
    replies = {
        {"http://api.example.com/img/logo.png", std::string("\x89PNG\0logo", 9)},
        {"http://api.example.com/img/vx.png", "vx"},
        {"http://api.example.com/img/vx2.png", "vx2"},
        {"http://api.example.com/khd?act=biaoti", "\xD4\xC6"}, // GBK "云"
        {"http://api.example.com/khd?act=help", std::string("\xB0\xEF\xD6\xFA\0tail", 9)},
    };
    const StartupOutcome outcome = runWith("3.8");

    EXPECT_EQ(outcome.decision, VersionDecision::Continue);
    EXPECT_EQ(requested.size(), 6u);
    EXPECT_EQ(session.apiHost(), "api.example.com");
    EXPECT_EQ(session.baseUrl(), "http://api.example.com");
    EXPECT_EQ(session.clientInfoUrl(), "http://api.example.com/khd?act=");
    EXPECT_EQ(session.localVersion(), "Ver 3.8");
    EXPECT_EQ(session.serverVersion(), "Ver 3.8");
    EXPECT_EQ(session.logoImage(), std::string("\x89PNG\0logo", 9)); // bytes stay bytes
    EXPECT_EQ(session.vxImage(), "vx");
    EXPECT_EQ(session.vx2Image(), "vx2");
    EXPECT_EQ(session.titleText(), "云");
    EXPECT_EQ(session.helpText(), "帮助");
    EXPECT_EQ(session.accountIniPath(), "/home/u/Documents/云.ini");
    EXPECT_EQ(session.deviceKey(), "0123456789ABCDEF");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].path, "/opt/client/更新配置.ini");
    EXPECT_EQ(writes[0].section, "更新");
    EXPECT_EQ(writes[0].key, "API地址");
    EXPECT_EQ(writes[0].value, "http://api.example.com/khd?act=");
}

TEST_F(StartupFixture, VersionReplies)
{
    struct Case
    {
        std::string reply;
        std::string serverVersion;
        VersionDecision decision;
    };
    const Case cases[] = {
        {"3.8", "Ver 3.8", VersionDecision::Continue},
        {"3.9", "Ver 3.9", VersionDecision::NewVersion},
        {"3.7", "Ver 3.7", VersionDecision::NewVersion},
        {"3.8\n", "Ver 3.8\n", VersionDecision::NewVersion},
        {"3.8 ", "Ver 3.8 ", VersionDecision::NewVersion},
        {std::string("3.8\0junk", 8), "Ver 3.8", VersionDecision::Continue},
        {"", "Ver ", VersionDecision::NoNetwork},
    };
    for (const Case &c : cases) {
        const StartupOutcome outcome = runWith(c.reply);
        EXPECT_EQ(session.serverVersion(), c.serverVersion) << c.reply;
        EXPECT_EQ(outcome.decision, c.decision) << c.reply;
    }
    EXPECT_EQ(versionDecisionMessage(VersionDecision::NoNetwork), "网络初始化失败，请检查网络");
    EXPECT_EQ(versionDecisionMessage(VersionDecision::NewVersion), "有新版本更新");
    EXPECT_EQ(versionDecisionMessage(VersionDecision::Continue), "");
}

TEST_F(StartupFixture, NoServiceLeavesFieldsEmptyButStillWritesTheUpdaterAddress)
{
    StartupInputs in = inputs();
    in.fetch = [](const std::string &url) -> std::string {
        if (url.ends_with("logo.png"))
            throw std::runtime_error("connection refused");
        return {};
    };
    const StartupOutcome outcome = StartupConfig(in).run(session);
    EXPECT_EQ(outcome.decision, VersionDecision::NoNetwork);
    EXPECT_EQ(session.logoImage(), "");
    EXPECT_EQ(session.titleText(), "");
    EXPECT_EQ(session.accountIniPath(), "/home/u/Documents/.ini");
    EXPECT_EQ(session.deviceKey(), "0123456789ABCDEF");
    EXPECT_EQ(writes.size(), 1u);
}

TEST_F(StartupFixture, RequestsOverlap)
{
    std::atomic<int> running{0};
    std::atomic<int> peak{0};
    StartupInputs in = inputs();
    in.fetch = [&](const std::string &) {
        const int now = ++running;
        int seen = peak.load();
        while (now > seen && !peak.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        --running;
        return std::string("3.8");
    };
    StartupConfig(in).run(session);
    EXPECT_GT(peak.load(), 1);
}
