#pragma once

#include "ServiceFixture.h"

#include "data/Gbk.h"

#include <httplib.h>

#include <memory>
#include <optional>
#include <string>

namespace refservice::test {

// One client of the service with its own session cookie, the way the desktop client talks:
// raw GBK form bodies, the cookie of the last Set-Cookie, redirects not followed.
class Browser
{
public:
    explicit Browser(RunningService &service) : m_service(service), m_client(service.client()) {}

    struct Reply
    {
        int status = 0;
        std::string text; // the body as UTF-8
        std::string location;
    };

    Reply get(const std::string &target) { return keep(m_client->Get(target.c_str(), headers())); }
    // `utf8Form` goes on the wire as GBK, exactly as written: no escaping of "&" or "=".
    Reply post(const std::string &target, const std::string &utf8Form = {})
    {
        return keep(m_client->Post(target.c_str(), headers(), cloud::utf8ToGbk(utf8Form),
                                   "application/x-www-form-urlencoded"));
    }

    // Loads a captcha picture and reads its text from the service's session, as a person
    // would read it from the picture.
    std::string captcha()
    {
        get("/user/captcha?id=0.5");
        return session() ? session()->captcha : std::string();
    }
    // The full manual sign-in: picture, sign-out, then the form. Gives the reply code.
    std::string signIn(const std::string &name, const std::string &password)
    {
        const std::string digits = captcha();
        get("/user/logout.asp");
        return post("/user/loginpost", "username=" + name + "&password=" + password + "&captcha=" +
                                           digits + "&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8")
            .text;
    }

    std::optional<SessionData> session() { return m_service.app().sessions().touch(m_sid); }
    const std::string &sid() const { return m_sid; }
    std::int64_t accountId()
    {
        const auto data = session();
        return data ? data->accountId : 0;
    }

private:
    httplib::Headers headers() const
    {
        if (m_sid.empty())
            return {};
        return {{"Cookie", std::string(SessionStore::cookieName) + "=" + m_sid}};
    }

    Reply keep(const httplib::Result &result)
    {
        if (!result)
            return {};
        const std::string cookie = result->get_header_value("Set-Cookie");
        const std::string id = SessionStore::idFromCookieHeader(cookie.substr(0, cookie.find(';')));
        if (!id.empty())
            m_sid = id;
        return {result->status, cloud::gbkToUtf8(result->body),
                result->get_header_value("Location")};
    }

    RunningService &m_service;
    std::unique_ptr<httplib::Client> m_client;
    std::string m_sid;
};

} // namespace refservice::test
