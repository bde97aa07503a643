#include "FaultInjector.h"

#include "Replies.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace refservice {

namespace {

struct Endpoint
{
    std::string address;
    int port = -1;
};

Endpoint endpointOf(const sockaddr_storage &addr)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (addr.ss_family == AF_INET) {
        const auto *in = reinterpret_cast<const sockaddr_in *>(&addr);
        inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
        return {text, ntohs(in->sin_port)};
    }
    if (addr.ss_family == AF_INET6) {
        const auto *in6 = reinterpret_cast<const sockaddr_in6 *>(&addr);
        inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
        return {text, ntohs(in6->sin6_port)};
    }
    return {};
}

// True when `fd` is the server side of the connection `req` arrived on.
bool isConnectionOf(int fd, const httplib::Request &req)
{
    sockaddr_storage local{};
    sockaddr_storage peer{};
    socklen_t localSize = sizeof local;
    socklen_t peerSize = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localSize) != 0 ||
        getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerSize) != 0)
        return false;
    const Endpoint l = endpointOf(local);
    const Endpoint p = endpointOf(peer);
    return l.port == req.local_port && p.port == req.remote_port && p.address == req.remote_addr;
}

} // namespace

FaultInjector::FaultInjector(const ServiceOptions &options)
    : m_latencyMs(options.latencyMs), m_rate(options.faultRate), m_kind(options.fault),
      m_slowMs(options.slowMs), m_random(std::random_device{}())
{}

FaultKind FaultInjector::draw()
{
    if (m_kind == FaultKind::None || m_rate <= 0)
        return FaultKind::None;
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_random() % 100) < m_rate ? m_kind : FaultKind::None;
}

bool FaultInjector::intercept(const httplib::Request &req, httplib::Response &res)
{
    if (m_latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_latencyMs));
    switch (draw()) {
    case FaultKind::None:
        return false;
    case FaultKind::Slow:
        std::this_thread::sleep_for(std::chrono::milliseconds(m_slowMs));
        return false;
    case FaultKind::ServerError:
        replyServerError(res);
        return true;
    case FaultKind::Garbage: {
        std::lock_guard lock(m_mutex);
        answerGarbage(res, m_random());
        return true;
    }
    case FaultKind::Drop:
        if (!dropConnection(req)) // no socket found: the nearest thing is a server error
            replyServerError(res);
        res.set_header(droppedMarker, "1");
        return true;
    }
    return false;
}

void FaultInjector::answerGarbage(httplib::Response &res, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(24 + random() % 40, '\0');
    for (char &b : bytes)
        b = static_cast<char>(random() & 0xFF);
    bytes[0] = '\xFF'; // never a result code or JSON, whatever follows
    res.status = 200;
    res.set_content(bytes, "text/html; charset=gbk");
}

// httplib gives handlers no socket, so the connection is found among the process's open
// descriptors by its addresses and shut down: the client sees the connection close without
// a byte of reply. The descriptor itself stays open for httplib to close as usual.
bool FaultInjector::dropConnection(const httplib::Request &req)
{
    DIR *dir = opendir("/proc/self/fd");
    if (dir == nullptr)
        return false;
    bool dropped = false;
    while (const dirent *entry = readdir(dir)) {
        char *end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == dirfd(dir))
            continue;
        if (isConnectionOf(static_cast<int>(fd), req)) {
            dropped = shutdown(static_cast<int>(fd), SHUT_RDWR) == 0;
            break;
        }
    }
    closedir(dir);
    return dropped;
}

} // namespace refservice
