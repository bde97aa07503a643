#include "RouteTable.h"
#include "FaultInjector.h"
#include "Replies.h"
#include "SessionStore.h"

#include "data/Gbk.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

using namespace refservice;

namespace {

std::string joined(const FormFields &fields)
{
    std::string out;
    for (const auto &[name, value] : fields.all())
        out += "[" + name + "|" + value + "]";
    return out;
}

// A bare server with routes of the test's own, to see what handlers receive.
class RouteTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        routes.getOrPost(
            "/echo", RouteTable::Access::Open,
            [](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                replyText(res, joined(queryFields(req)) + "/" + joined(formFields(req)));
            });
        routes.get("/throws", RouteTable::Access::Open,
                   [](const httplib::Request &, httplib::Response &, const SessionData &) {
                       throw std::runtime_error("secret detail");
                   });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void TearDown() override
    {
        server.stop();
        thread.join();
    }

    ServiceOptions options;
    httplib::Server server;
    SessionStore sessions;
    FaultInjector faults{options};
    RouteTable routes{server, sessions, faults};
    int port = 0;
    std::thread thread;
};

} // namespace

TEST_F(RouteTableTest, HandlersSeeRawGbkFieldsConvertedToUtf8)
{
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    const std::string gbk = cloud::utf8ToGbk("数据库");
    const auto get = client.Get(("/echo?bz=" + gbk + "&x=a+b%41").c_str());
    ASSERT_TRUE(get);
    EXPECT_EQ(cloud::gbkToUtf8(get->body), "[bz|数据库][x|a+b%41]/");

    const auto post = client.Post("/echo?id=3", "bz=" + gbk + "&password=a&b&c=1%2B",
                                  "application/x-www-form-urlencoded");
    ASSERT_TRUE(post);
    EXPECT_EQ(cloud::gbkToUtf8(post->body), "[id|3]/[bz|数据库][password|a][b|][c|1%2B]");
}

TEST_F(RouteTableTest, HandlerFailureIsAPlainServerError)
{
    httplib::Client client("127.0.0.1", port);
    const auto res = client.Get("/throws");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 500);
    EXPECT_EQ(res->body.find("secret"), std::string::npos);
    for (const auto &header : res->headers)
        EXPECT_EQ(header.second.find("secret"), std::string::npos) << header.first;
}
