#pragma once

#include "../server/ServiceFixture.h"

#include "account/AccountRequests.h"
#include "app/AppSession.h"

#include <string>

namespace cloud::test {

// The reference service itself on a free loopback port over a fresh database, with the
// client's base address pointed at it. End-to-end tests drive the real windows against it.
class LiveService
{
public:
    LiveService() : m_previousBase(AppSession::instance().baseUrl())
    {
        AppSession::instance().setBaseUrl(baseUrl());
    }
    ~LiveService()
    {
        signOutRequest();
        AppSession::instance().setBaseUrl(m_previousBase);
    }
    LiveService(const LiveService &) = delete;
    LiveService &operator=(const LiveService &) = delete;

    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_service.port()); }
    refservice::ServiceApp &app() { return m_service.app(); }
    refservice::test::RunningService &running() { return m_service; }

    // Signs the process-wide cookie store in as a seeded account, the way the automatic
    // sign-in does; true when the service answered "1000".
    bool signIn(const std::string &account, const std::string &password = "demo1234")
    {
        signOutRequest();
        return keySignInRequest(account, password) == "1000";
    }

private:
    refservice::test::RunningService m_service;
    std::string m_previousBase;
};

} // namespace cloud::test
