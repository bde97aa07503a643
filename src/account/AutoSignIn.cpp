#include "account/AutoSignIn.h"

#include "account/AccountRequests.h"
#include "account/SignInDisplay.h"
#include "account/SignInOutcome.h"
#include "app/Pacing.h"
#include "ui/Workers.h"

namespace cloud {

using namespace std::chrono_literals;

AutoSignIn::AutoSignIn(SignInDisplay *display) : m_display(display)
{}

void AutoSignIn::start()
{
    Workers::start([this] { autoSignIn(); });
}

void AutoSignIn::autoSignIn()
{
    const std::optional<bool> ticked = m_display->autoSignInTicked();
    if (!ticked || !*ticked)
        return;
    Pacing &pacing = Pacing::instance();
    // During this second the button still takes a click; a manual sign-in started
    // then, whether still running or already over, makes this one unneeded.
    const int claimsBefore = m_display->claimCount();
    pacing.pause(1s);
    if (Workers::stopping() || m_display->claimCount() != claimsBefore || !m_display->claim())
        return;
    m_display->setButtonEnabled(false);
    const int failPauseMs = pacing.randomBetween(500, 3000);
    const int okPauseMs = pacing.randomBetween(300, 1300);
    m_display->startBusy();
    m_display->setCaption(kSignInBusyCaption);
    signOutRequest(); // its reply does not matter
    if (const auto form = m_display->readForm()) {
        const std::string reply = keySignInRequest(form->account, form->password);
        m_display->showSignInOutcome(reply, okPauseMs, failPauseMs, kExpiredCaption);
    }
    m_display->release();
}

} // namespace cloud
