#include "ui/SkinnedWindow.h"

#include "ui/HoverLabel.h"
#include "ui/SkinArt.h"
#include "ui/WindowDragger.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace cloud {

SkinnedWindow::SkinnedWindow(const QString &windowName, const QString &frameName, const QSize &size,
                             bool withMinimise, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(windowName);
    setFixedSize(size);

    // The frame carries the window's skin name and parks the focus, so that every
    // edit box can show its hint until the user enters it.
    m_frame = new QWidget(this);
    m_frame->setObjectName(frameName);
    m_frame->setGeometry(4, 4, 24, 24);
    m_frame->setFocusPolicy(Qt::ClickFocus);
    m_frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_frame->installEventFilter(this);

    createCaptionLabels(withMinimise);
    new WindowDragger(this);
}

void SkinnedWindow::createCaptionLabels(bool withMinimise)
{
    m_closeLabel = new HoverLabel(QStringLiteral("标签关闭"), QStringLiteral("×"), this);
    m_closeLabel->setGeometry(width() - 37, 16, 14, 22);
    connect(m_closeLabel, &HoverLabel::clicked, this, [this] { onCloseLabel(); });
    if (!withMinimise)
        return;
    m_minimiseLabel = new HoverLabel(QStringLiteral("标签最小化"), QStringLiteral("一"), this);
    m_minimiseLabel->setGeometry(width() - 60, 22, 13, 13);
    connect(m_minimiseLabel, &HoverLabel::clicked, this, &QWidget::showMinimized);
}

void SkinnedWindow::onCloseLabel()
{
    emit closeRequested();
}

void SkinnedWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SkinArt::paintWindowBackground(painter, rect());
}

void SkinnedWindow::mousePressEvent(QMouseEvent *event)
{
    // A click on the bare body leaves any edit box, which shows its hint again.
    m_frame->setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void SkinnedWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!focusWidget())
        m_frame->setFocus(Qt::OtherFocusReason);
}

bool SkinnedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frame && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        QWidget *target = frameTabTarget();
        if (key->key() == Qt::Key_Tab && target) {
            target->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinnedWindow::showModalOver(QWidget *owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    if (const QWidget *reference = owner ? owner->window() : nullptr)
        move(reference->geometry().center() - rect().center());
    show();
    activateWindow();
}

} // namespace cloud
