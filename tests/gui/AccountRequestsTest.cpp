#include "account/AccountRequests.h"
#include "app/AppSession.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>
#include <vector>

using namespace cloud;

namespace {

// Records what the account requests put on the wire.
class RecordingService
{
public:
    RecordingService()
    {
        m_server.Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            res.set_content("ok", "text/plain");
        });
        m_server.Post(".*", [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            res.set_content("\\u0031000", "text/plain");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession &s = AppSession::instance();
        s.setApiHost("127.0.0.1:" + std::to_string(m_port));
        s.setBaseUrl("http://" + s.apiHost());
        s.setDeviceKey("0123456789ABCDEF");
        s.setLocalVersion("Ver 3.8");
    }
    ~RecordingService()
    {
        m_server.stop();
        m_thread.join();
    }
    std::vector<httplib::Request> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    void record(const httplib::Request &req)
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(req);
    }
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<httplib::Request> m_requests;
};

} // namespace

TEST(AccountRequests, SignOutSendsExactlyItsSevenHeaderLines)
{
    RecordingService service;
    signOutRequest();
    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    const httplib::Request &r = requests[0];
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.path, "/user/logout.asp");
    EXPECT_EQ(r.get_header_value("Referer"),
              AppSession::instance().baseUrl() + "/user/cloud-logininfo.asp");
    EXPECT_EQ(r.get_header_value("Accept-Language"), "zh-Hans-CN,zh-Hans;q=0.5");
    EXPECT_EQ(r.get_header_value("User-Agent"),
              "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko");
    EXPECT_EQ(r.get_header_value_count("Accept"), 1u);
    EXPECT_EQ(r.get_header_value("Cache-Control"), "no-cache");
}

TEST(AccountRequests, SignInFormsTravelAsTyped)
{
    RecordingService service;
    EXPECT_EQ(signInRequest("用户名/账号", "a&b", "1234"), "1000");
    EXPECT_EQ(keySignInRequest("a1", "p1"), "1000");
    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/user/loginpost");
    // GBK on the wire: 用户名/账号 is D3C3 BBA7 C3FB / D5CB BAC5.
    EXPECT_EQ(requests[0].body, "username=\xD3\xC3\xBB\xA7\xC3\xFB/\xD5\xCB\xBA\xC5"
                                "&password=a&b&captcha=1234&khdkey=0123456789ABCDEF&zd=1"
                                "&ver=Ver 3.8");
    EXPECT_EQ(requests[1].path, "/user/khdloginpd");
    EXPECT_EQ(requests[1].body, "username=a1&password=p1&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8");
}

TEST(AccountRequests, CaptchaIdsAreFreshFractions)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string id = captchaId();
        ASSERT_TRUE(id.rfind("0.", 0) == 0 || id == "0" || id.find("e-") != std::string::npos)
            << id;
        EXPECT_LT(std::stod(id), 1.0);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 200u);
}
