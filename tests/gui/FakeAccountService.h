#pragma once

#include "app/AppSession.h"

#include <QBuffer>
#include <QImage>

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cloud::test {

// A PNG of the given size in one colour, as the service sends its pictures.
inline std::string pngBytes(int width, int height, QColor colour = Qt::darkCyan)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// A stand-in for the service on a loopback port: the client-information queries, the
// pictures, the captcha and the account requests. Every request is recorded in the
// order it arrived; the replies and delays are set by the test.
class FakeAccountService
{
public:
    struct Seen
    {
        std::string method;
        std::string path;
        std::string query; // the value of `act` or `id`
        std::string body;
    };

    FakeAccountService()
    {
        m_server.Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
            const int index = record(req);
            answerGet(req, res, index);
        });
        m_server.Post(".*", [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            answerPost(req, res);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        for (int i = 0; i < 1000 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    ~FakeAccountService()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_server.stop();
        m_thread.join();
    }

    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }

    // Points the session at this service, as start-up would.
    void pointSessionHere() const
    {
        AppSession &s = AppSession::instance();
        s.setApiHost(host());
        s.setBaseUrl("http://" + host());
        s.setClientInfoUrl("http://" + host() + "/khd?act=");
        s.setDeviceKey("0123456789ABCDEF");
        s.setLocalVersion("Ver 3.8");
    }

    void setVersionReply(std::string reply)
    {
        locked([&] { m_version = std::move(reply); });
    }
    void setSignInReply(std::string reply)
    {
        locked([&] { m_signIn = std::move(reply); });
    }
    void setKeySignInReply(std::string reply)
    {
        locked([&] { m_keySignIn = std::move(reply); });
    }
    // "/user/loginpost" is answered only after this long (or when the service stops).
    void setSignInDelay(std::chrono::milliseconds delay)
    {
        locked([&] { m_signInDelay = delay; });
    }
    // The n-th captcha request (from 0) is answered after delays[n].
    void setCaptchaDelays(std::vector<std::chrono::milliseconds> delays)
    {
        locked([&] { m_captchaDelays = std::move(delays); });
    }

    std::vector<Seen> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_seen;
    }
    std::vector<Seen> requestsTo(const std::string &path) const
    {
        std::vector<Seen> found;
        for (const Seen &seen : requests())
            if (seen.path == path)
                found.push_back(seen);
        return found;
    }
    bool signInAnswered() const
    {
        std::lock_guard lock(m_mutex);
        return m_signInAnswered;
    }

    // The captcha image of the n-th request: its width tells which request it answered.
    static int captchaWidth(int index) { return 100 + index; }

private:
    template <typename F> void locked(F change)
    {
        std::lock_guard lock(m_mutex);
        change();
    }

    int record(const httplib::Request &req)
    {
        std::lock_guard lock(m_mutex);
        std::string query =
            req.has_param("act") ? req.get_param_value("act") : req.get_param_value("id");
        m_seen.push_back({req.method, req.path, std::move(query), req.body});
        int index = 0;
        for (const Seen &seen : m_seen)
            index += seen.path == req.path ? 1 : 0;
        return index - 1;
    }

    // Waits like a slow service, but gives up when the service stops.
    void hold(std::chrono::milliseconds delay)
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, delay, [this] { return m_stopping; });
    }

    void answerGet(const httplib::Request &req, httplib::Response &res, int index)
    {
        if (req.path == "/khd") {
            const std::string act = req.get_param_value("act");
            std::lock_guard lock(m_mutex);
            // "云" and the help text in GBK.
            res.set_content(act == "ver"      ? m_version
                            : act == "biaoti" ? "\xD4\xC6"
                                              : "help",
                            "text/plain");
        } else if (req.path.starts_with("/img/")) {
            res.set_content(pngBytes(323, 50), "image/png");
        } else if (req.path == "/user/captcha") {
            std::chrono::milliseconds delay{0};
            locked([&] {
                if (index < static_cast<int>(m_captchaDelays.size()))
                    delay = m_captchaDelays[static_cast<std::size_t>(index)];
            });
            hold(delay);
            res.set_content(pngBytes(captchaWidth(index), 41), "image/png");
        } else {
            res.set_content("ok", "text/plain"); // the sign-out
        }
    }

    void answerPost(const httplib::Request &req, httplib::Response &res)
    {
        if (req.path == "/user/loginpost") {
            std::chrono::milliseconds delay;
            locked([&] { delay = m_signInDelay; });
            hold(delay);
            std::lock_guard lock(m_mutex);
            m_signInAnswered = !m_stopping;
            res.set_content(m_signIn, "text/plain");
        } else if (req.path == "/user/khdloginpd") {
            std::lock_guard lock(m_mutex);
            res.set_content(m_keySignIn, "text/plain");
        }
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::vector<Seen> m_seen;
    std::string m_version = "3.8";
    std::string m_signIn = "1000";
    std::string m_keySignIn = "1000";
    std::chrono::milliseconds m_signInDelay{0};
    std::vector<std::chrono::milliseconds> m_captchaDelays;
    bool m_signInAnswered = false;
};

} // namespace cloud::test
