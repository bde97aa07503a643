#include "ServiceFixture.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace refservice;
using namespace refservice::test;

namespace {

ServiceOptions withFault(FaultKind kind, int rate = 100)
{
    ServiceOptions options;
    options.fault = kind;
    options.faultRate = rate;
    options.slowMs = 100;
    return options;
}

long long elapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 since)
        .count();
}

} // namespace

TEST(FaultInjection, EachKindSpoilsTheReplyItsWay)
{
    {
        RunningService service(withFault(FaultKind::ServerError));
        const auto res = service.client()->Get("/khd?act=ver");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 500);
        EXPECT_NE(res->body, "3.8");
    }
    {
        RunningService service(withFault(FaultKind::Garbage));
        const auto res = service.client()->Get("/khd?act=ver");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_GE(res->body.size(), 24u);
        EXPECT_EQ(res->body[0], '\xFF');
    }
    {
        // The connection closes without a reply; the client must see an error, not hang.
        RunningService service(withFault(FaultKind::Drop));
        auto client = service.client();
        const auto start = std::chrono::steady_clock::now();
        for (const char *path : {"/khd?act=ver", "/img/logo.png"}) {
            const auto res = client->Get(path);
            EXPECT_FALSE(res) << path;
        }
        const auto posted = client->Post("/user/loginpost", "username=a&password=b",
                                         "application/x-www-form-urlencoded");
        EXPECT_FALSE(posted);
        EXPECT_LT(elapsedMs(start), 1500);
    }
}

TEST(FaultInjection, SlowFaultAndLatencyDelayButKeepTheAnswer)
{
    ServiceOptions latency;
    latency.latencyMs = 120;
    for (const ServiceOptions &options : {withFault(FaultKind::Slow), latency}) {
        RunningService service(options);
        const auto start = std::chrono::steady_clock::now();
        const auto res = service.client()->Get("/khd?act=ver");
        const long long waited = elapsedMs(start);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->body, "3.8");
        EXPECT_GE(waited, 100);
    }
}

TEST(FaultInjection, ZeroRateNeverFaults)
{
    RunningService service(withFault(FaultKind::ServerError, 0));
    auto client = service.client();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(client->Get("/khd?act=ver")->status, 200);
}
