#pragma once

#include "app/AppSession.h"
#include "data/Gbk.h"

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cloud::test {

// A stand-in for the service's finance endpoints on a loopback port: answers each path
// with a set text (GBK on the wire, like the service), records what arrives, and can
// hold its answers back until the test lets them go.
class FinanceFakeService
{
public:
    struct Request
    {
        std::string method;
        std::string path;
        std::string target; // path and query as sent
        std::string body;   // bytes as they came (GBK)
    };

    FinanceFakeService()
    {
        const auto handler = [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            waitWhileHeld();
            res.set_content(utf8ToGbk(replyFor(req)), "text/plain");
        };
        m_server.Get(".*", handler);
        m_server.Post(".*", handler);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession &s = AppSession::instance();
        s.setApiHost("127.0.0.1:" + std::to_string(m_port));
        s.setBaseUrl("http://" + s.apiHost());
    }
    ~FinanceFakeService()
    {
        release();
        m_server.stop();
        m_thread.join();
    }

    // The UTF-8 text that `path` (without its query) answers with; unset paths answer "".
    void answer(const std::string &path, std::string replyUtf8)
    {
        std::lock_guard lock(m_mutex);
        m_replies[path] = std::move(replyUtf8);
    }
    // Answers `path` with a text made from the request's path and query.
    void answerBy(const std::string &path, std::function<std::string(const std::string &)> reply)
    {
        std::lock_guard lock(m_mutex);
        m_makers[path] = std::move(reply);
    }
    void hold()
    {
        std::lock_guard lock(m_mutex);
        m_held = true;
    }
    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_held = false;
        }
        m_released.notify_all();
    }
    std::vector<Request> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    std::size_t requestCount()
    {
        std::lock_guard lock(m_mutex);
        return m_requests.size();
    }

private:
    void record(const httplib::Request &req)
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({req.method, req.path, req.target, req.body});
    }
    void waitWhileHeld()
    {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return !m_held; });
    }
    std::string replyFor(const httplib::Request &req)
    {
        std::function<std::string(const std::string &)> maker;
        {
            std::lock_guard lock(m_mutex);
            const auto made = m_makers.find(req.path);
            if (made == m_makers.end()) {
                const auto found = m_replies.find(req.path);
                return found == m_replies.end() ? std::string() : found->second;
            }
            maker = made->second;
        }
        return maker(req.target);
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    std::map<std::string, std::string> m_replies;
    std::map<std::string, std::function<std::string(const std::string &)>> m_makers;
    std::vector<Request> m_requests;
};

} // namespace cloud::test
