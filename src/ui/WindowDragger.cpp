#include "ui/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace cloud {

WindowDragger::WindowDragger(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent *>(event));
        // The press itself stays visible to the window (it may move the focus).
        return false;
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_dragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        m_window->move(mouse->globalPosition().toPoint() - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return false;
    default:
        return false;
    }
}

void WindowDragger::press(const QMouseEvent *mouse)
{
    if (mouse->button() != Qt::LeftButton)
        return;
    // The window system moves the window itself where it can (X11, Wayland).
    if (m_window->windowHandle() && m_window->windowHandle()->startSystemMove())
        return;
    m_grabOffset = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
    m_dragging = true;
}

} // namespace cloud
