#pragma once

#include "ServiceFixture.h"

#include "Database.h"
#include "LocalTime.h"
#include "SessionStore.h"

#include "data/Gbk.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>

namespace refservice::test {

// The epoch moment of a local "YYYY-MM-DD HH:MM:SS" text.
inline std::time_t epochOf(const std::string &text)
{
    const auto t = LocalTime::parse(text);
    if (!t)
        throw std::invalid_argument("not a time: " + text);
    std::tm parts{};
    parts.tm_year = t->year - 1900;
    parts.tm_mon = t->month - 1;
    parts.tm_mday = t->day;
    parts.tm_hour = t->hour;
    parts.tm_min = t->minute;
    parts.tm_sec = t->second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

// The service over a fresh database with a clock the test sets, and helpers to talk to it
// as a signed-in client: bodies are written in UTF-8 and sent as GBK, as the client does.
class ShopService
{
public:
    explicit ShopService(const std::string &now = "2024-01-31 10:00:00") : m_now(epochOf(now))
    {
        ServiceOptions options;
        options.listenPort = 0;
        options.quiet = true;
        options.dbPath = m_dir.file("shop.db");
        m_app = std::make_unique<ServiceApp>(options);
        m_app->setClock([this] { return m_now.load(); });
        std::string error;
        if (!m_app->start(error))
            throw std::runtime_error("service did not start: " + error);
    }

    Database &db() { return m_app->database(); }
    void setNow(const std::string &text) { m_now = epochOf(text); }
    void advance(std::time_t seconds) { m_now += seconds; }
    int port() const { return m_app->port(); }

    // A client whose session is signed in as `accountId`, or signed out for 0.
    httplib::Headers session(std::int64_t accountId)
    {
        const auto first = client().Get("/");
        const std::string id =
            SessionStore::idFromCookieHeader(first->get_header_value("Set-Cookie"));
        if (accountId != 0)
            m_app->sessions().signIn(id, accountId);
        return {{"Cookie", "sid=" + id}};
    }

    httplib::Result post(const std::string &target, const std::string &utf8Body,
                         const httplib::Headers &headers)
    {
        return client().Post(target, headers, cloud::utf8ToGbk(utf8Body),
                             "application/x-www-form-urlencoded");
    }
    httplib::Result get(const std::string &target, const httplib::Headers &headers)
    {
        return client().Get(target, headers);
    }

    // The reply body in UTF-8; "<no reply>" when the exchange failed.
    static std::string text(const httplib::Result &res)
    {
        return res ? cloud::gbkToUtf8(res->body) : std::string("<no reply>");
    }
    static nlohmann::json json(const httplib::Result &res)
    {
        return nlohmann::json::parse(text(res), nullptr, false);
    }

    std::int64_t balance(std::int64_t accountId)
    {
        return db()
            .queryOne("SELECT balance_cents FROM accounts WHERE id = ?1", {accountId})
            ->integer("balance_cents");
    }
    void setBalance(std::int64_t accountId, std::int64_t cents)
    {
        db().modify("UPDATE accounts SET balance_cents = ?2 WHERE id = ?1", {accountId, cents});
    }
    std::int64_t count(const std::string &sql, const std::vector<DbValue> &params = {})
    {
        return db().queryOne(sql, params)->integer("n");
    }

private:
    httplib::Client client() const
    {
        httplib::Client client("127.0.0.1", port());
        client.set_connection_timeout(2);
        client.set_read_timeout(2);
        return client;
    }

    TempDir m_dir;
    std::atomic<std::time_t> m_now;
    std::unique_ptr<ServiceApp> m_app;
};

} // namespace refservice::test
