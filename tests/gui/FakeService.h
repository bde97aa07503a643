#pragma once

#include "app/AppSession.h"
#include "data/Gbk.h"

#include <httplib.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cloud::test {

// A stand-in for the service on a loopback port: canned replies by path (and, for
// "/khd", by act), sent in GBK like the service; every request is recorded. Points
// AppSession at itself.
class FakeService
{
public:
    using Handler = std::function<std::string(const httplib::Request &)>;

    FakeService()
    {
        auto serve = [this](const httplib::Request &req, httplib::Response &res) {
            res.set_content(utf8ToGbk(answer(req)), "text/html");
        };
        m_server.Get(".*", serve);
        m_server.Post(".*", serve);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession &session = AppSession::instance();
        session.setApiHost("127.0.0.1:" + std::to_string(m_port));
        session.setBaseUrl("http://" + session.apiHost());
        session.setClientInfoUrl(session.baseUrl() + "/khd?act=");
    }
    ~FakeService()
    {
        m_server.stop();
        m_thread.join();
    }
    FakeService(const FakeService &) = delete;
    FakeService &operator=(const FakeService &) = delete;

    // `route` is a path, or "/khd?act=" + an act.
    void on(const std::string &route, std::string reply)
    {
        on(route, [reply = std::move(reply)](const httplib::Request &) { return reply; });
    }
    void on(const std::string &route, Handler handler)
    {
        std::lock_guard lock(m_mutex);
        m_routes[route] = std::move(handler);
    }
    int count(const std::string &route) const
    {
        std::lock_guard lock(m_mutex);
        int n = 0;
        for (const std::string &seen : m_log)
            n += seen == route;
        return n;
    }
    // Routes in the order they were asked for; a host-list request as "/user/data/vpslist?page=N".
    std::vector<std::string> log() const
    {
        std::lock_guard lock(m_mutex);
        return m_log;
    }

private:
    static std::string routeOf(const httplib::Request &req)
    {
        if (req.path == "/khd")
            return "/khd?act=" + req.get_param_value("act");
        if (req.path == "/user/data/vpslist")
            return req.path + "?page=" + req.get_param_value("page");
        return req.path;
    }
    std::string answer(const httplib::Request &req)
    {
        Handler handler;
        {
            std::lock_guard lock(m_mutex);
            const std::string route = routeOf(req);
            m_log.push_back(route);
            auto found = m_routes.find(route);
            if (found == m_routes.end() && req.path == "/user/data/vpslist")
                found = m_routes.find(req.path);
            if (found != m_routes.end())
                handler = found->second;
        }
        return handler ? handler(req) : std::string();
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::map<std::string, Handler> m_routes;
    std::vector<std::string> m_log;
};

} // namespace cloud::test
