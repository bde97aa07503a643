#include "ui/AnimatedLogo.h"

#include "ui/SkinArt.h"

#include <QPainter>
#include <QTimer>

namespace cloud {

AnimatedLogo::AnimatedLogo(const QString &name, const QString &timerName, QWidget *parent)
    : QWidget(parent), m_timer(new QTimer(this))
{
    setObjectName(name);
    m_timer->setObjectName(timerName);
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &AnimatedLogo::tick);
}

void AnimatedLogo::start()
{
    m_frame = 0;
    m_timer->start();
    update();
}

void AnimatedLogo::stop()
{
    m_timer->stop();
}

void AnimatedLogo::tick()
{
    if (m_frame < lastFrame)
        ++m_frame;
    if (m_frame >= lastFrame)
        m_timer->stop();
    update();
}

void AnimatedLogo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SkinArt::paintLogoFrame(painter, QRectF(rect()), m_frame);
}

} // namespace cloud
