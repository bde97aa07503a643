#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cloud {

class BusyIndicator;
class LoginWindow;

// The sign-in page as the two sign-in flows drive it from their workers: the writes
// go to the GUI thread in the order a flow makes them (at once when made there), and
// the reads come back from it. The page belongs to one flow at a time, so that the
// manual and the automatic sign-in never run their captions and indicator together.
//
// Lives on the GUI thread and must outlive the workers of the flows that use it
// (the program joins every worker before it destroys its windows).
class SignInDisplay : public QObject
{
    Q_OBJECT
public:
    struct FormTexts
    {
        std::string account;
        std::string password;
        std::string captcha;
    };

    explicit SignInDisplay(LoginWindow *window, QObject *parent = nullptr);

    LoginWindow *window() const;

    // Takes the page for one flow, from any thread; false while another flow has it.
    bool claim();
    // Gives the page back once every write made before has been applied.
    void release();
    bool claimed() const { return m_claimed.load(); }
    // How many times a flow has taken the page so far.
    int claimCount() const { return m_claimCount.load(); }

    void setCaption(std::string_view caption);
    void setButtonEnabled(bool enabled);
    void startBusy();
    void showSuccess();
    void showFailure();
    void hideBusy();
    // Hides the LoginWindow and raises the hand-over flag that the main window watches.
    void handOver();

    // For workers: nothing when the window is gone or the program is ending. The
    // boxes' texts are their values, so an untouched box gives its hint.
    std::optional<FormTexts> readForm() const;
    std::optional<bool> autoSignInTicked() const;

    // For workers: wait until the indicator's success (or failure) animation has
    // reached its end. False when the program ends or the window goes first; an
    // indicator that stops moving holds the flow no longer than a few seconds.
    bool waitSuccessEnd() const;
    bool waitFailureEnd() const;

    // The outcome of a sign-in reply on the page, run on the flow's worker: the random
    // pause chosen by the flow, the success or failure animation with its caption, and
    // on success the hand-over to the main window (the button then stays disabled until
    // a sign-out). `wrongAccountCaption` is the flow's caption for "1001".
    void showSignInOutcome(const std::string &reply, int okPauseMs, int failPauseMs,
                           std::string_view wrongAccountCaption);

signals:
    // A caption was written on the sign-in button (GUI thread).
    void captionChanged(const QString &caption);
    // The flow that had the page gave it back (GUI thread).
    void released();

private:
    void write(std::function<void(LoginWindow &)> change);
    bool waitForIndicator(std::function<bool(const BusyIndicator &)> ended) const;
    void showSuccessOutcome(const std::string &caption, int okPauseMs);
    void showFailureOutcome(const std::string &caption, int failPauseMs);
    void copyAccountToSession();

    QPointer<LoginWindow> m_window;
    QPointer<QObject> m_windowObject; // the same window, as readFromGui's context
    // Made on the GUI thread; workers pass copies to postToGui.
    QPointer<QObject> m_guard;
    std::atomic<bool> m_claimed{false};
    std::atomic<int> m_claimCount{0};
};

} // namespace cloud
