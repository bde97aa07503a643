#include "ui/HoverLabel.h"

#include "ui/SkinArt.h"

#include <QMouseEvent>

namespace cloud {

HoverLabel::HoverLabel(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    applyColour(SkinColours::labelRest);
}

void HoverLabel::enterEvent(QEnterEvent *event)
{
    applyColour(SkinColours::labelHover);
    QLabel::enterEvent(event);
}

void HoverLabel::leaveEvent(QEvent *event)
{
    applyColour(SkinColours::labelRest);
    QLabel::leaveEvent(event);
}

void HoverLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here so that a press on the label never starts a window drag.
    event->accept();
}

void HoverLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    // Last statement: a receiver may close the window that owns this label.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void HoverLabel::applyColour(const QColor &colour)
{
    m_colour = colour;
    setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(colour.name(QColor::HexArgb)));
}

} // namespace cloud
