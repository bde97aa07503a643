#include "ui/BusyIndicator.h"

#include "ui/ProgressPhase.h"
#include "ui/SkinArt.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace cloud {

BusyIndicator::BusyIndicator(const QString &name, const QString &timerName, ProgressPhase &phase,
                             QWidget *parent)
    : QWidget(parent), m_phase(phase), m_timer(new QTimer(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer->setObjectName(timerName);
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &BusyIndicator::tick);
    QWidget::hide();
}

BusyIndicator *BusyIndicator::overButton(const QString &name, const QString &timerName,
                                         ProgressPhase &phase, QWidget *button)
{
    auto *indicator = new BusyIndicator(name, timerName, phase, button);
    const int side = std::max(12, button->height() - 16);
    indicator->setGeometry(16, (button->height() - side) / 2, side, side);
    return indicator;
}

void BusyIndicator::startBusy()
{
    startAt(0, ProgressPhase::Busy);
}

void BusyIndicator::showSuccess()
{
    startAt(successFirst, ProgressPhase::Success);
}

void BusyIndicator::showFailure()
{
    startAt(failureFirst, ProgressPhase::Failure);
}

void BusyIndicator::startAt(int frame, int phase)
{
    m_frame.store(frame);
    m_timer->start(intervalMs);
    m_phase.set(phase);
    show();
    raise();
    update();
}

// The phase is shared with the window's other indicators, so this indicator may
// find a phase that another page set while its own frame lies in a different
// range; the comparisons are "at or past" so that the frame stays inside the strip.
void BusyIndicator::tick()
{
    if (!m_timer->isActive())
        return;
    const int phase = m_phase.value();
    if (phase != ProgressPhase::Busy && phase != ProgressPhase::Success &&
        phase != ProgressPhase::Failure)
        return;
    int frame = std::min(m_frame.load() + 1, failureLast);
    bool ended = false;
    if (phase == ProgressPhase::Busy && frame >= busyLoopEnd)
        frame = 0;
    else if (phase == ProgressPhase::Success && frame >= successLast)
        ended = true;
    else if (phase == ProgressPhase::Failure && frame >= failureLast)
        ended = true;
    m_frame.store(frame);
    update();
    if (ended) {
        m_timer->stop();
        emit animationEnded();
    }
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SkinArt::paintBusyFrame(painter, QRectF(rect()), frameIndex());
}

} // namespace cloud
