#include "orders/LinkLabel.h"

#include "orders/OrdersStyle.h"

#include <QMouseEvent>

namespace cloud {

LinkLabel::LinkLabel(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setOrdersRole(this, "link");
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here so that a press on the link never starts a window drag.
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    // Last statement: a receiver may open a modal window or close this one.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace cloud
