#pragma once

#include "SessionStore.h"

#include <httplib.h>

#include <functional>
#include <string>

namespace refservice {

class FaultInjector;

// Registers the service's handlers with the HTTP server and puts the same steps in front of
// each: the injected latency and faults, the session (a new one, with its cookie, for a
// request that brings none, as a web server does on first contact), and the sign-in guard.
class RouteTable
{
public:
    enum class Access {
        Open,     // anyone, signed in or not
        SignedIn, // a signed-out request gets the 302 to the sign-in page, never data
    };
    // `session` is the request's session; for SignedIn routes its accountId is set.
    using Handler = std::function<void(const httplib::Request &req, httplib::Response &res,
                                       const SessionData &session)>;

    RouteTable(httplib::Server &server, SessionStore &sessions, FaultInjector &faults);

    // Patterns are httplib's: regular expressions matched against the whole path. The first
    // registered match wins.
    void get(const std::string &pattern, Access access, Handler handler);
    void post(const std::string &pattern, Access access, Handler handler);
    // Both methods, for endpoints the client calls either way.
    void getOrPost(const std::string &pattern, Access access, Handler handler);

    // The session named by the request's cookie, or a new one announced with Set-Cookie.
    SessionData sessionFor(const httplib::Request &req, httplib::Response &res);

private:
    httplib::Server::Handler wrap(Access access, Handler handler);

    httplib::Server &m_server;
    SessionStore &m_sessions;
    FaultInjector &m_faults;
};

} // namespace refservice
