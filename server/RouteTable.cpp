#include "RouteTable.h"

#include "FaultInjector.h"
#include "Replies.h"

#include <cstdio>
#include <exception>

namespace refservice {

RouteTable::RouteTable(httplib::Server &server, SessionStore &sessions, FaultInjector &faults)
    : m_server(server), m_sessions(sessions), m_faults(faults)
{}

void RouteTable::get(const std::string &pattern, Access access, Handler handler)
{
    m_server.Get(pattern, wrap(access, std::move(handler)));
}

void RouteTable::post(const std::string &pattern, Access access, Handler handler)
{
    m_server.Post(pattern, wrap(access, std::move(handler)));
}

void RouteTable::getOrPost(const std::string &pattern, Access access, Handler handler)
{
    get(pattern, access, handler);
    post(pattern, access, std::move(handler));
}

SessionData RouteTable::sessionFor(const httplib::Request &req, httplib::Response &res)
{
    const std::size_t count = req.get_header_value_count("Cookie");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string id = SessionStore::idFromCookieHeader(req.get_header_value("Cookie", i));
        if (id.empty())
            continue;
        if (auto session = m_sessions.touch(id))
            return *session;
    }
    SessionData session = m_sessions.create();
    res.set_header("Set-Cookie", SessionStore::setCookieValue(session.id));
    return session;
}

httplib::Server::Handler RouteTable::wrap(Access access, Handler handler)
{
    return [this, access, handler = std::move(handler)](const httplib::Request &req,
                                                        httplib::Response &res) {
        if (m_faults.intercept(req, res))
            return;
        const SessionData session = sessionFor(req, res);
        if (access == Access::SignedIn && session.accountId == 0) {
            redirectToSignIn(res);
            return;
        }
        // Whatever goes wrong inside a handler, the client gets a plain server error, not
        // the exception's text.
        try {
            handler(req, res, session);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "refservice: %s %s: %s\n", req.method.c_str(), req.path.c_str(),
                         e.what());
            replyServerError(res);
        } catch (...) {
            std::fprintf(stderr, "refservice: %s %s failed\n", req.method.c_str(),
                         req.path.c_str());
            replyServerError(res);
        }
    };
}

} // namespace refservice
