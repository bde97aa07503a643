#include "LoopbackServer.h"

#include "data/TextUtil.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 20;

int listeningSocket(int &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

void sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

// Body length announced by a request's header block.
std::size_t contentLength(const std::string &head)
{
    const std::size_t name = cloud::findNoCase(head, "\r\nContent-Length:");
    if (name == std::string::npos)
        return 0;
    const std::size_t from = name + std::string_view("\r\nContent-Length:").size();
    return static_cast<std::size_t>(
        cloud::integerValue(cloud::trimmed(head.substr(from, head.find("\r\n", from) - from))));
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler) : m_handler(std::move(handler))
{
    m_listenFd = listeningSocket(m_port);
    if (m_listenFd >= 0 && ::listen(m_listenFd, 64) == 0)
        m_acceptor = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer()
{
    m_stopping = true;
    m_stopped.notify_all();
    if (m_acceptor.joinable())
        m_acceptor.join();
    for (std::thread &connection : m_connections)
        connection.join();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

std::string LoopbackServer::url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
}

std::vector<std::string> LoopbackServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::string LoopbackServer::lastRequest() const
{
    std::lock_guard lock(m_mutex);
    return m_requests.empty() ? std::string() : m_requests.back();
}

std::string LoopbackServer::reply(std::string_view status, std::string_view headers,
                                  std::string_view body)
{
    return "HTTP/1.1 " + std::string(status) + "\r\n" + std::string(headers) +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::string LoopbackServer::requestLine(const std::string &request)
{
    return request.substr(0, request.find("\r\n"));
}

std::string LoopbackServer::pathOf(const std::string &request)
{
    const std::string line = requestLine(request);
    const std::size_t space = line.find(' ');
    return line.substr(space + 1, line.rfind(' ') - space - 1);
}

std::string LoopbackServer::bodyOf(const std::string &request)
{
    const std::size_t end = request.find("\r\n\r\n");
    return end == std::string::npos ? "" : request.substr(end + 4);
}

int LoopbackServer::closedPort()
{
    int port = 0;
    const int fd = listeningSocket(port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

void LoopbackServer::acceptLoop()
{
    while (!m_stopping) {
        if (!waitReadable(m_listenFd))
            continue;
        const int fd = ::accept(m_listenFd, nullptr, nullptr);
        if (fd < 0)
            continue;
        m_connections.emplace_back([this, fd] { serve(fd); });
    }
}

bool LoopbackServer::waitReadable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kPollMs) > 0;
}

void LoopbackServer::serve(int fd)
{
    std::string request;
    if (readRequest(fd, request)) {
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
        }
        const Reply answer = m_handler(request);
        sendAll(fd, answer.bytes);
        if (answer.hold) {
            std::unique_lock lock(m_mutex);
            m_stopped.wait(lock, [this] { return m_stopping.load(); });
        }
    }
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}

// Reads one request: the header block, then as many body bytes as it announces.
bool LoopbackServer::readRequest(int fd, std::string &request)
{
    std::size_t wanted = std::string::npos;
    char buffer[65536];
    while (!m_stopping && request.size() < wanted) {
        if (!waitReadable(fd))
            continue;
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return !request.empty();
        request.append(buffer, static_cast<std::size_t>(got));
        const std::size_t end = request.find("\r\n\r\n");
        if (wanted == std::string::npos && end != std::string::npos)
            wanted = end + 4 + contentLength(request.substr(0, end + 2));
    }
    return request.size() >= wanted;
}
