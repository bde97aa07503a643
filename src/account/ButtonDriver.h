#pragma once

#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>

class QObject;
class QPushButton;
class QWidget;

namespace cloud {

class BusyIndicator;

// One page button and its busy indicator as a flow's worker drives them: caption,
// enabling, indicator phases, and the waits for an outcome animation to end. Writes are
// queued to the GUI thread in the order the flow makes them; writes for a window that is
// gone are dropped. Made on the GUI thread, used on the worker.
class ButtonDriver
{
public:
    // The longest wait for an outcome animation (about half a second when it runs).
    static constexpr std::chrono::milliseconds maxAnimationWait{3000};
    static constexpr std::chrono::milliseconds pollInterval{20};

    // `window` owns the button and the indicator; `busy` may be null.
    ButtonDriver(QObject *window, QPushButton *button, BusyIndicator *busy = nullptr);

    void setCaption(const QString &caption) const;
    void setEnabled(bool enabled) const;
    void startBusy() const;
    void showSuccess() const;
    void showFailure() const;
    void hide() const;
    // Return once the animation has reached its end. The indicators of one window share
    // their phase, so another page's flow can keep this animation from ever ending:
    // the wait is therefore bounded, and it ends at once when the window is gone.
    void waitSuccessEnd() const;
    void waitFailureEnd() const;

    // Runs `write` on the GUI thread, in turn with the other writes, while the window lives.
    void post(std::function<void()> write) const;
    // Runs `show` (a message box over the window) on the GUI thread, in turn with the
    // writes, and returns when it has returned; at once when the window is gone.
    void showAndWait(std::function<void(QWidget *window)> show) const;

private:
    void waitUntil(std::function<bool(const BusyIndicator &)> ended) const;
    void postToBusy(std::function<void(BusyIndicator &)> write) const;

    QPointer<QObject> m_window;
    QPushButton *m_button;
    BusyIndicator *m_busy;
};

} // namespace cloud
