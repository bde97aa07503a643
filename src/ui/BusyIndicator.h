#pragma once

#include <QWidget>

#include <atomic>

class QTimer;

namespace cloud {

class ProgressPhase;

// The busy picture over the left part of a button: a 51-frame strip (0..24 busy
// loop, 26..39 success, 41..50 failure) advanced by its timer every 40 ms.
//
// Waiting for an outcome animation never spins an event loop: a GUI-thread caller
// connects to animationEnded(); a worker polls successEnded()/failureEnded() (or
// frameIndex()), which are safe from any thread. All other calls belong on the
// GUI thread.
class BusyIndicator : public QWidget
{
    Q_OBJECT
public:
    static constexpr int intervalMs = 40;
    static constexpr int busyLoopEnd = 25;
    static constexpr int successFirst = 26;
    static constexpr int successLast = 39;
    static constexpr int failureFirst = 41;
    static constexpr int failureLast = 50;
    static constexpr int failureWaitEnd = 49;

    BusyIndicator(const QString &name, const QString &timerName, ProgressPhase &phase,
                  QWidget *parent);
    // An indicator placed over the left part of a button, where a caption with
    // leading spaces leaves room for it.
    static BusyIndicator *overButton(const QString &name, const QString &timerName,
                                     ProgressPhase &phase, QWidget *button);

    void startBusy();
    void showSuccess();
    void showFailure();
    // hide() is QWidget's: the picture goes, the timer keeps its interval.

    int frameIndex() const { return m_frame.load(); }
    // The ends the flows wait for before they restore the button's caption.
    bool successEnded() const { return frameIndex() >= successLast; }
    bool failureEnded() const { return frameIndex() >= failureWaitEnd; }

    QTimer *timer() const { return m_timer; }
    ProgressPhase &phase() const { return m_phase; }

public slots:
    // One timer step; public so that tests and flows can step the strip exactly.
    void tick();

signals:
    // The success or failure animation has reached its last frame; the timer stopped.
    void animationEnded();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void startAt(int frame, int phase);

    ProgressPhase &m_phase;
    QTimer *m_timer;
    std::atomic<int> m_frame{0};
};

} // namespace cloud
