#pragma once

#include "app/AppSession.h"
#include "data/Gbk.h"

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cloud::test {

// A local stand-in for the service's catalogue and order endpoints. Each route answers one
// fixed text (UTF-8 here, GBK on the wire, as the service speaks); a route without an
// answer replies with an empty body. Requests are recorded with their bodies as UTF-8.
class FakeOrderService
{
public:
    struct Request
    {
        std::string method;
        std::string path;
        std::string body;
    };

    FakeOrderService()
    {
        const auto handler = [this](const httplib::Request &req, httplib::Response &res) {
            answer(req, res);
        };
        // Registered first: handlers match in order.
        m_server.Get("/landing", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(R"({"count":1,"data":[{"day":"5","month":"50","Annual":"500"}]})",
                            "application/json");
        });
        m_server.Get(".*", handler);
        m_server.Post(".*", handler);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession::instance().setBaseUrl(baseUrl());
    }
    ~FakeOrderService()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    // `method` "GET" or "POST"; `path` as the client sends it.
    void on(const std::string &method, const std::string &path, const std::string &utf8Reply)
    {
        std::lock_guard lock(m_mutex);
        m_routes[method + " " + path] = utf8Reply;
    }
    // The route answers with a redirect to a page that would give usable prices.
    void redirect(const std::string &method, const std::string &path)
    {
        std::lock_guard lock(m_mutex);
        m_redirects[method + " " + path] = true;
    }

    std::vector<Request> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    std::vector<Request> requestsTo(const std::string &path) const
    {
        std::vector<Request> out;
        for (const Request &r : requests())
            if (r.path == path)
                out.push_back(r);
        return out;
    }

private:
    void answer(const httplib::Request &req, httplib::Response &res)
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({req.method, req.path, gbkToUtf8(req.body)});
        const std::string key = req.method + " " + req.path;
        if (m_redirects.count(key)) {
            res.set_redirect("/landing");
            return;
        }
        const auto found = m_routes.find(key);
        res.set_content(found == m_routes.end() ? std::string() : utf8ToGbk(found->second),
                        "text/html");
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_routes;
    std::map<std::string, bool> m_redirects;
    std::vector<Request> m_requests;
};

} // namespace cloud::test
