#pragma once

#include <QWidget>

class QTimer;

namespace cloud {

// The logo picture that draws itself once: its timer advances one frame per tick
// and stops at the last frame.
class AnimatedLogo : public QWidget
{
    Q_OBJECT
public:
    static constexpr int lastFrame = 50;
    static constexpr int intervalMs = 40;

    AnimatedLogo(const QString &name, const QString &timerName, QWidget *parent);

    void start();
    void stop();
    int frameIndex() const { return m_frame; }
    QTimer *timer() const { return m_timer; }

public slots:
    void tick();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_timer;
    // A window shown without its start-up decorations still shows the whole mark.
    int m_frame = lastFrame;
};

} // namespace cloud
