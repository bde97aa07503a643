#include "finance/AccountRefreshLoop.h"

#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "finance/UserProfile.h"
#include "hosts/SteppedPause.h"

namespace cloud {

void AccountRefreshLoop::run()
{
    while (runPass() && pauseAndReload()) {
    }
}

bool AccountRefreshLoop::keepGoing() const
{
    return m_hooks.current() && !AppSession::instance().sessionStopped();
}

bool AccountRefreshLoop::runPass()
{
    if (!keepGoing())
        return false;
    ++m_missCount;
    // A session the service no longer knows ends the loops; this pass still finishes.
    if (m_hooks.checkSession() != api::kCodeSuccess)
        AppSession::instance().setSessionStopped(true);

    std::string name = m_hooks.loadUserName();
    UserProfile &profile = UserProfile::instance();
    profile.setUserName(name);
    if (name.empty()) {
        if (m_missCount < missesToGiveUp)
            return true;
        // A loop whose session was signed out meanwhile has nobody to tell.
        if (m_hooks.current())
            m_hooks.networkFailed();
        return false;
    }
    m_missCount = 0;
    m_hooks.showUserName(name);
    if (std::optional<std::string> realName = m_hooks.loadProfile())
        profile.setRealNameText(std::move(*realName));
    return true;
}

bool AccountRefreshLoop::pauseAndReload()
{
    if (!pauseInSteps(secondsBetweenPasses, [this] { return keepGoing(); }))
        return false;
    m_hooks.reloadHostList();
    return true;
}

} // namespace cloud
