#include "account/SignInFlow.h"

#include "account/AccountRequests.h"
#include "account/RememberedAccount.h"
#include "account/SignInDisplay.h"
#include "account/SignInOutcome.h"
#include "app/Pacing.h"
#include "ui/Workers.h"

namespace cloud {

namespace {

// Steps after the page is set busy, on the worker: a fresh session, then the sign-in.
void requestAndShow(SignInDisplay *display, int okPauseMs, int failPauseMs)
{
    signOutRequest(); // its reply does not matter
    if (const auto form = display->readForm()) {
        const std::string reply = signInRequest(form->account, form->password, form->captcha);
        display->showSignInOutcome(reply, okPauseMs, failPauseMs, SignInFlow::kWrongAccountCaption);
    }
    display->release();
}

} // namespace

SignInFlow::SignInFlow(SignInDisplay *display, RememberedAccount *remembered)
    : m_display(display), m_remembered(remembered)
{}

bool SignInFlow::signIn()
{
    if (!m_display->claim())
        return false;
    m_remembered->saveRememberedAccount();
    m_display->setButtonEnabled(false);
    Pacing &pacing = Pacing::instance();
    const int failPauseMs = pacing.randomBetween(500, 3000);
    const int okPauseMs = pacing.randomBetween(300, 1300);
    m_display->startBusy();
    m_display->setCaption(kSignInBusyCaption);
    SignInDisplay *display = m_display;
    Workers::start(
        [display, okPauseMs, failPauseMs] { requestAndShow(display, okPauseMs, failPauseMs); });
    return true;
}

} // namespace cloud
