#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A tiny HTTP server on 127.0.0.1 for the engine's tests. It records every request
// exactly as its bytes arrived and answers each connection once with the canned reply
// the handler picks, then closes the connection.
class LoopbackServer
{
public:
    struct Reply
    {
        std::string bytes;
        // Keep the connection open after sending, sending nothing more, until the server stops.
        bool hold = false;
    };
    using Handler = std::function<Reply(const std::string &request)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by `path`.
    std::string url(std::string_view path) const;
    std::vector<std::string> requests() const;
    std::string lastRequest() const;

    // A complete reply with a Content-Length line; `headers` are extra lines, each ending in CR LF.
    static std::string reply(std::string_view status, std::string_view headers,
                             std::string_view body);
    // The request line of a recorded request ("GET /p HTTP/1.1").
    static std::string requestLine(const std::string &request);
    // The target of a recorded request's line ("/p"), and what follows its header block.
    static std::string pathOf(const std::string &request);
    static std::string bodyOf(const std::string &request);
    // A loopback port on which nothing listens.
    static int closedPort();

private:
    void acceptLoop();
    void serve(int fd);
    bool readRequest(int fd, std::string &request);
    bool waitReadable(int fd);

    Handler m_handler;
    int m_listenFd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_connections;
    std::thread m_acceptor;
};
