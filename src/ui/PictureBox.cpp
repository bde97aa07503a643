#include "ui/PictureBox.h"

#include "ui/SkinArt.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace cloud {

PictureBox::PictureBox(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
}

bool PictureBox::setImageBytes(const QByteArray &bytes)
{
    QImage decoded;
    const bool ok = !bytes.isEmpty() && decoded.loadFromData(bytes);
    setImage(ok ? decoded : QImage());
    return ok;
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PictureBox::setPlaceholderText(const QString &text)
{
    m_placeholder = text;
    update();
}

void PictureBox::setClickable(bool clickable)
{
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void PictureBox::setPanel(bool panel)
{
    m_panel = panel;
    update();
}

void PictureBox::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void PictureBox::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void PictureBox::paintPanel(QPainter &painter)
{
    const QRectF panel = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(panel, 8, 8);
    painter.fillPath(shape, QColor(0x22, 0x29, 0x37));
    painter.setClipPath(shape);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_panel)
        paintPanel(painter);
    paintContent(painter);
    if (m_panel) {
        painter.setClipping(false);
        const bool lit = m_clickable && m_hovered;
        painter.setPen(QPen(lit ? QColor(0x46, 0x51, 0x6A) : QColor(0x34, 0x3D, 0x50), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
}

void PictureBox::paintContent(QPainter &painter)
{
    if (m_image.isNull()) {
        if (m_placeholder.isEmpty())
            return;
        painter.setPen(SkinColours::hintText);
        painter.drawText(rect(), Qt::AlignCenter, m_placeholder);
        return;
    }
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), fitted);
    target.moveCenter(rect().center());
    painter.drawImage(target, m_image);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (!m_clickable)
        return QWidget::mousePressEvent(event);
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_clickable)
        return QWidget::mouseReleaseEvent(event);
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace cloud
