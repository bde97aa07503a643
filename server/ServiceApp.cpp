#include "ServiceApp.h"

#include "AccountRoutes.h"
#include "ClientInfoRoutes.h"
#include "Database.h"
#include "FaultInjector.h"
#include "FinanceRoutes.h"
#include "OrderRoutes.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"
#include "SessionStore.h"
#include "SiteRoutes.h"

#include <httplib.h>
#include <sys/socket.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace refservice {

namespace {

// httplib runs the pre-routing step, the handler and the logger of one request on one thread.
thread_local std::chrono::steady_clock::time_point requestStart;

void logRequest(const httplib::Request &req, const httplib::Response &res)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - requestStart)
                        .count();
    const std::string status = res.has_header(FaultInjector::droppedMarker)
                                   ? std::string("dropped")
                                   : std::to_string(res.status);
    std::fprintf(stderr, "%s %s %s %lldms\n", req.method.c_str(), req.path.c_str(), status.c_str(),
                 static_cast<long long>(ms));
}

} // namespace

ServiceApp::ServiceApp(ServiceOptions options) : m_options(std::move(options))
{}

ServiceApp::~ServiceApp()
{
    stop();
}

bool ServiceApp::start(std::string &error)
{
    if (m_server) {
        error = "already started";
        return false;
    }
    // A client that goes away mid-reply must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    m_db = Database::open(m_options.dbPath, error);
    if (!m_db)
        return false;
    m_sessions = std::make_unique<SessionStore>();
    m_faults = std::make_unique<FaultInjector>(m_options);
    m_server = std::make_unique<httplib::Server>();
    configureServer();
    m_context =
        std::make_unique<ServiceContext>(ServiceContext{m_options, *m_db, *m_sessions, m_clock});
    m_routes = std::make_unique<RouteTable>(*m_server, *m_sessions, *m_faults);
    installRoutes();
    installLogging();
    return bindAndServe(error);
}

void ServiceApp::configureServer()
{
    // Headers and body leave in separate writes; without this the body waits for a delayed ACK.
    m_server->set_tcp_nodelay(true);
    // Every form the client sends is small; a larger body is refused, not buffered.
    m_server->set_payload_max_length(1 << 20);
    // httplib's default also sets SO_REUSEPORT, which lets a second service bind the same port
    // and quietly take part of the connections. Only the restart-friendly SO_REUSEADDR is kept.
    m_server->set_socket_options([](int sock) {
        const int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

bool ServiceApp::bindAndServe(std::string &error)
{
    const std::string &host = m_options.listenHost;
    if (m_options.listenPort == 0)
        m_port = m_server->bind_to_any_port(host);
    else if (m_server->bind_to_port(host, m_options.listenPort))
        m_port = m_options.listenPort;
    if (m_port <= 0) {
        error = "cannot listen on " + host + ":" + std::to_string(m_options.listenPort);
        m_port = 0;
        return false;
    }
    m_listenEnded = false;
    m_thread = std::thread([this] {
        m_server->listen_after_bind();
        m_listenEnded = true;
    });
    // httplib's stop() does nothing before the server runs: wait for it, so that a stop()
    // right after start() cannot leave the serving thread blocked for ever.
    while (!m_server->is_running() && !m_listenEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void ServiceApp::stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

// Each area registers its own routes; a new area adds one line here. The catch-alls come
// last: every other "/user/" path needs a session, whether or not a page exists there.
void ServiceApp::installRoutes()
{
    installSiteRoutes(*m_routes, *m_context);
    installClientInfoRoutes(*m_routes, *m_context);
    installOrderRoutes(*m_routes, *m_context);
    installFinanceRoutes(*m_routes, *m_context);
    installAccountRoutes(*m_routes, *m_context);

    const auto notFound = [](const httplib::Request &, httplib::Response &res,
                             const SessionData &) { res.status = 404; };
    m_routes->getOrPost("/user/.*", RouteTable::Access::SignedIn, notFound);
}

void ServiceApp::installLogging()
{
    m_server->set_pre_routing_handler([](const httplib::Request &, httplib::Response &) {
        requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    if (!m_options.quiet)
        m_server->set_logger(logRequest);
}

} // namespace refservice
