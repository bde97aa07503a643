#pragma once

#include "app/AppSession.h"
#include "data/Gbk.h"

#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cloud::test {

// A local stand-in for the service's host endpoints: answers each path with the text
// it was given (in GBK, as the service sends it), records every request, and
// can hold its replies back to show what happens while a request is under way.
class HostServiceFake
{
public:
    HostServiceFake()
    {
        const auto handle = [this](const httplib::Request &req, httplib::Response &res) {
            respond(req, res);
        };
        m_server.Get(".*", handle);
        m_server.Post(".*", handle);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession &session = AppSession::instance();
        session.setApiHost("127.0.0.1:" + std::to_string(m_port));
        session.setBaseUrl("http://" + session.apiHost());
    }
    ~HostServiceFake()
    {
        release();
        m_server.stop();
        m_thread.join();
    }

    // `text` is program text; it goes on the wire in GBK.
    void answer(const std::string &path, const std::string &text)
    {
        std::lock_guard lock(m_mutex);
        m_answers[path] = utf8ToGbk(text);
    }
    void redirect(const std::string &path, std::string location)
    {
        std::lock_guard lock(m_mutex);
        m_redirects[path] = std::move(location);
    }
    void hold()
    {
        std::lock_guard lock(m_mutex);
        m_holding = true;
    }
    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_holding = false;
        }
        m_released.notify_all();
    }
    std::vector<httplib::Request> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    std::size_t requestCount(const std::string &path)
    {
        std::size_t count = 0;
        for (const httplib::Request &req : requests())
            count += req.path == path ? 1 : 0;
        return count;
    }

private:
    void respond(const httplib::Request &req, httplib::Response &res)
    {
        std::unique_lock lock(m_mutex);
        m_requests.push_back(req);
        m_released.wait(lock, [this] { return !m_holding; });
        if (const auto to = m_redirects.find(req.path); to != m_redirects.end()) {
            res.set_redirect(to->second);
            return;
        }
        const auto found = m_answers.find(req.path);
        res.set_content(found == m_answers.end() ? std::string() : found->second, "text/plain");
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_holding = false;
    std::map<std::string, std::string> m_answers;
    std::map<std::string, std::string> m_redirects;
    std::vector<httplib::Request> m_requests;
};

} // namespace cloud::test
