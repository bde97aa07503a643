#include "orders/DropDown.h"

#include <QPainter>
#include <QPainterPath>

namespace cloud {

DropDown::DropDown(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void DropDown::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = isEnabled() ? QColor(0x8F, 0xC1, 0xFF) : QColor(0x5C, 0x64, 0x77);
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre(width() - 17.5, height() / 2.0);
    QPainterPath chevron(centre + QPointF(-4.5, -2.2));
    chevron.lineTo(centre + QPointF(0, 2.3));
    chevron.lineTo(centre + QPointF(4.5, -2.2));
    painter.drawPath(chevron);
}

} // namespace cloud
