#include "account/SignInDisplay.h"

#include "account/SignInOutcome.h"
#include "app/AppSession.h"
#include "app/Pacing.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QThread>

#include <thread>

namespace cloud {

namespace {

using namespace std::chrono_literals;

// The success animation lasts about half a second, the failure one a little less; an
// indicator that has not reached its end by then is not going to.
constexpr auto kAnimationWaitLimit = 3s;
constexpr auto kAnimationPoll = 20ms;
// How long an outcome caption stays before the animation's end is awaited.
constexpr auto kOutcomeCaptionTime = 1000ms;

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SignInDisplay::SignInDisplay(LoginWindow *window, QObject *parent)
    : QObject(parent), m_window(window), m_windowObject(window), m_guard(this)
{}

LoginWindow *SignInDisplay::window() const
{
    return m_window;
}

bool SignInDisplay::claim()
{
    bool expected = false;
    if (!m_claimed.compare_exchange_strong(expected, true))
        return false;
    ++m_claimCount;
    return true;
}

void SignInDisplay::release()
{
    // Through the same queue as the writes: a new flow cannot start before the last
    // caption of this one has been applied.
    auto giveBack = [this] {
        m_claimed = false;
        emit released();
    };
    if (QThread::currentThread() == thread())
        giveBack();
    else
        postToGui(m_guard, giveBack);
}

void SignInDisplay::write(std::function<void(LoginWindow &)> change)
{
    QPointer<LoginWindow> window = m_window;
    auto apply = [window, change = std::move(change)] {
        if (window)
            change(*window);
    };
    if (QThread::currentThread() == thread())
        apply();
    else
        postToGui(m_guard, std::move(apply));
}

void SignInDisplay::setCaption(std::string_view caption)
{
    const QString text = qText(caption);
    write([this, text](LoginWindow &w) {
        w.signInButton()->setText(text);
        emit captionChanged(text);
    });
}

void SignInDisplay::setButtonEnabled(bool enabled)
{
    write([enabled](LoginWindow &w) {
        QPushButton *button = w.signInButton();
        // A focused widget that is disabled hands the focus on to the next one, here
        // the account box, which would then drop its hint and send an empty account.
        if (!enabled && w.focusWidget() == button)
            w.windowFrame()->setFocus(Qt::OtherFocusReason);
        button->setEnabled(enabled);
    });
}

void SignInDisplay::startBusy()
{
    write([](LoginWindow &w) { w.signInBusy()->startBusy(); });
}

void SignInDisplay::showSuccess()
{
    write([](LoginWindow &w) { w.signInBusy()->showSuccess(); });
}

void SignInDisplay::showFailure()
{
    write([](LoginWindow &w) { w.signInBusy()->showFailure(); });
}

void SignInDisplay::hideBusy()
{
    write([](LoginWindow &w) { w.signInBusy()->hide(); });
}

void SignInDisplay::handOver()
{
    write([](LoginWindow &w) {
        w.hide();
        AppSession::instance().setSignedInFlag(true);
    });
}

void SignInDisplay::copyAccountToSession()
{
    write([](LoginWindow &w) {
        AppSession &session = AppSession::instance();
        session.setAccountName(w.accountEdit()->text().toStdString());
        session.setAccountPassword(w.passwordEdit()->text().toStdString());
    });
}

std::optional<SignInDisplay::FormTexts> SignInDisplay::readForm() const
{
    QPointer<LoginWindow> window = m_window;
    return readFromGui<FormTexts>(m_windowObject, [window] {
        return FormTexts{window->accountEdit()->text().toStdString(),
                         window->passwordEdit()->text().toStdString(),
                         window->captchaEdit()->text().toStdString()};
    });
}

std::optional<bool> SignInDisplay::autoSignInTicked() const
{
    QPointer<LoginWindow> window = m_window;
    return readFromGui<bool>(m_windowObject,
                             [window] { return window->autoSignInBox()->isChecked(); });
}

bool SignInDisplay::waitForIndicator(std::function<bool(const BusyIndicator &)> ended) const
{
    QPointer<LoginWindow> window = m_window;
    const auto deadline = std::chrono::steady_clock::now() + kAnimationWaitLimit;
    while (true) {
        // Read on the GUI thread, behind the writes already queued: the indicator the
        // flow just restarted is looked at, never the frame of an earlier animation.
        const std::optional<bool> done = readFromGui<bool>(
            m_windowObject, [window, ended] { return ended(*window->signInBusy()); });
        if (!done || Workers::stopping())
            return false;
        if (*done || std::chrono::steady_clock::now() >= deadline)
            return true;
        std::this_thread::sleep_for(kAnimationPoll);
    }
}

bool SignInDisplay::waitSuccessEnd() const
{
    return waitForIndicator([](const BusyIndicator &busy) { return busy.successEnded(); });
}

bool SignInDisplay::waitFailureEnd() const
{
    return waitForIndicator([](const BusyIndicator &busy) { return busy.failureEnded(); });
}

void SignInDisplay::showSignInOutcome(const std::string &reply, int okPauseMs, int failPauseMs,
                                      std::string_view wrongAccountCaption)
{
    const SignInOutcome outcome = SignInOutcome::judge(reply, wrongAccountCaption);
    if (outcome.kind == SignInOutcome::Kind::Success) {
        showSuccessOutcome(outcome.caption, okPauseMs);
        return;
    }
    setButtonEnabled(true);
    if (outcome.kind == SignInOutcome::Kind::Failure)
        showFailureOutcome(outcome.caption, failPauseMs);
    setCaption(kSignInIdleCaption);
    hideBusy();
}

void SignInDisplay::showSuccessOutcome(const std::string &caption, int okPauseMs)
{
    Pacing &pacing = Pacing::instance();
    copyAccountToSession();
    pacing.pause(std::chrono::milliseconds(okPauseMs));
    showSuccess();
    setCaption(caption);
    pacing.pause(kOutcomeCaptionTime);
    if (!waitSuccessEnd())
        return; // the program is ending: no hand-over any more
    handOver();
    setCaption(kSignInIdleCaption);
    hideBusy();
}

void SignInDisplay::showFailureOutcome(const std::string &caption, int failPauseMs)
{
    Pacing &pacing = Pacing::instance();
    pacing.pause(std::chrono::milliseconds(failPauseMs));
    showFailure();
    setCaption(caption);
    pacing.pause(kOutcomeCaptionTime);
    waitFailureEnd();
}

} // namespace cloud
