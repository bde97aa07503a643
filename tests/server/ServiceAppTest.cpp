#include "ServiceFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <regex>

using namespace refservice;
using namespace refservice::test;

TEST(ServiceApp, StopRightAfterStartReturns)
{
    TempDir dir;
    auto cycle = std::async(std::launch::async, [&] {
        for (int i = 0; i < 3; ++i) {
            ServiceOptions options;
            options.listenPort = 0;
            options.quiet = true;
            options.dbPath = dir.file("cycle.db");
            ServiceApp app(options);
            std::string error;
            if (!app.start(error))
                return false;
            app.stop();
        }
        return true;
    });
    if (cycle.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "stop() did not return";
        std::_Exit(1); // the serving thread is stuck; nothing else can end this process
    }
    EXPECT_TRUE(cycle.get());
}

TEST(ServiceApp, BusyPortAndBadDatabaseAreReported)
{
    RunningService first;
    TempDir dir;
    ServiceOptions options;
    options.listenPort = first.port();
    options.quiet = true;
    options.dbPath = dir.file("second.db");
    ServiceApp second(options);
    std::string error;
    EXPECT_FALSE(second.start(error));
    EXPECT_NE(error.find(std::to_string(first.port())), std::string::npos);

    options.listenPort = 0;
    options.dbPath = dir.file("missing/dir/x.db");
    ServiceApp third(options);
    error.clear();
    EXPECT_FALSE(third.start(error));
    EXPECT_FALSE(error.empty());
}

TEST(ServiceApp, LogsOneLinePerRequest)
{
    TempDir dir;
    ServiceOptions options;
    options.listenPort = 0;
    options.dbPath = dir.file("log.db");
    ServiceApp app(options);
    std::string error;
    ASSERT_TRUE(app.start(error)) << error;
    httplib::Client client("127.0.0.1", app.port());
    testing::internal::CaptureStderr();
    client.Get("/khd?act=ver");
    client.Get("/user/userinfo");
    app.stop();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_search(log, std::regex("GET /khd 200 \\d+ms\n")));
    EXPECT_TRUE(std::regex_search(log, std::regex("GET /user/userinfo 302 \\d+ms\n")));
}
