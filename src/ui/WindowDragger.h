#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

namespace cloud {

// Lets a frameless window be moved by dragging its body: presses that no child
// takes reach the window itself, and from there move the whole window.
class WindowDragger : public QObject
{
    Q_OBJECT
public:
    explicit WindowDragger(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(const QMouseEvent *mouse);

    QWidget *m_window;
    QPoint m_grabOffset;
    bool m_dragging = false;
};

} // namespace cloud
