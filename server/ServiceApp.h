#pragma once

#include "ServiceClock.h"
#include "ServiceOptions.h"

#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace refservice {

class Database;
class FaultInjector;
class RouteTable;
class SessionStore;
struct ServiceContext;

// The reference service: the database, the sessions, the route table of every area and the
// HTTP server, with one log line per request on stderr (method, path, status, milliseconds).
class ServiceApp
{
public:
    using Clock = std::function<std::time_t()>;

    explicit ServiceApp(ServiceOptions options);
    ~ServiceApp(); // stops the service
    ServiceApp(const ServiceApp &) = delete;
    ServiceApp &operator=(const ServiceApp &) = delete;

    // Opens the database, installs the routes, binds the address (port 0 takes any free port)
    // and starts serving on a thread of its own. Gives false and the reason on failure.
    bool start(std::string &error);
    // Replaces the system clock as the service's idea of now; call before start().
    void setClock(Clock clock) { m_clock.pin(std::move(clock)); }
    // The port actually bound; 0 before start().
    int port() const { return m_port; }
    // Stops serving and waits for the serving thread. Safe to call more than once.
    void stop();

    Database &database() { return *m_db; }
    SessionStore &sessions() { return *m_sessions; }
    // The clock of every time rule; the tests move it forward.
    ServiceClock &clock() { return m_clock; }
    const ServiceOptions &options() const { return m_options; }

private:
    void configureServer();
    bool bindAndServe(std::string &error);
    void installRoutes();
    void installLogging();

    ServiceOptions m_options;
    ServiceClock m_clock;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<SessionStore> m_sessions;
    std::unique_ptr<FaultInjector> m_faults;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<ServiceContext> m_context;
    std::unique_ptr<RouteTable> m_routes;
    std::thread m_thread;
    std::atomic<bool> m_listenEnded{false};
    int m_port = 0;
};

} // namespace refservice
