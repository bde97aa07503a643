#include "ui/MainArt.h"

#include "ui/SkinArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace cloud::MainArt {
namespace {

QPen iconPen(int size)
{
    return QPen(QColor(0xE6, 0xE6, 0xE6), std::max(1.4, size / 12.0), Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void hostsPath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    for (qreal top : {0.12, 0.56}) {
        path.addRoundedRect(QRectF(r.left() + s * 0.08, r.top() + s * top, s * 0.84, s * 0.32),
                            s * 0.08, s * 0.08);
        path.addEllipse(QPointF(r.left() + s * 0.26, r.top() + s * (top + 0.16)), s * 0.04,
                        s * 0.04);
    }
}

void financePath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    path.moveTo(r.left() + s * 0.08, r.top() + s * 0.92);
    path.lineTo(r.left() + s * 0.92, r.top() + s * 0.92);
    const qreal heights[] = {0.30, 0.52, 0.74};
    for (int i = 0; i < 3; ++i) {
        const qreal x = r.left() + s * (0.22 + 0.26 * i);
        path.moveTo(x, r.top() + s * 0.78);
        path.lineTo(x, r.top() + s * (0.78 - heights[i]));
    }
}

void buyPath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    path.moveTo(r.left() + s * 0.04, r.top() + s * 0.14);
    path.lineTo(r.left() + s * 0.20, r.top() + s * 0.14);
    path.lineTo(r.left() + s * 0.32, r.top() + s * 0.66);
    path.lineTo(r.left() + s * 0.82, r.top() + s * 0.66);
    path.lineTo(r.left() + s * 0.92, r.top() + s * 0.30);
    path.lineTo(r.left() + s * 0.25, r.top() + s * 0.30);
    path.addEllipse(QPointF(r.left() + s * 0.38, r.top() + s * 0.84), s * 0.06, s * 0.06);
    path.addEllipse(QPointF(r.left() + s * 0.76, r.top() + s * 0.84), s * 0.06, s * 0.06);
}

void servicePath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    const QRectF arc(r.left() + s * 0.14, r.top() + s * 0.08, s * 0.72, s * 0.72);
    path.arcMoveTo(arc, 180);
    path.arcTo(arc, 180, -180);
    path.addRoundedRect(QRectF(r.left() + s * 0.08, r.top() + s * 0.44, s * 0.18, s * 0.30),
                        s * 0.06, s * 0.06);
    path.addRoundedRect(QRectF(r.left() + s * 0.74, r.top() + s * 0.44, s * 0.18, s * 0.30),
                        s * 0.06, s * 0.06);
    path.moveTo(r.left() + s * 0.83, r.top() + s * 0.74);
    path.quadTo(r.left() + s * 0.80, r.top() + s * 0.92, r.left() + s * 0.56, r.top() + s * 0.92);
}

void cardPath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    path.addRoundedRect(QRectF(r.left() + s * 0.04, r.top() + s * 0.18, s * 0.92, s * 0.64),
                        s * 0.10, s * 0.10);
    path.moveTo(r.left() + s * 0.04, r.top() + s * 0.38);
    path.lineTo(r.left() + s * 0.96, r.top() + s * 0.38);
    path.moveTo(r.left() + s * 0.18, r.top() + s * 0.64);
    path.lineTo(r.left() + s * 0.42, r.top() + s * 0.64);
}

void lockPath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    path.addRoundedRect(QRectF(r.left() + s * 0.16, r.top() + s * 0.44, s * 0.68, s * 0.48),
                        s * 0.08, s * 0.08);
    const QRectF shackle(r.left() + s * 0.30, r.top() + s * 0.08, s * 0.40, s * 0.56);
    path.moveTo(shackle.left(), r.top() + s * 0.44);
    path.lineTo(shackle.left(), r.top() + s * 0.28);
    path.arcTo(QRectF(shackle.left(), shackle.top(), shackle.width(), shackle.width()), 180, -180);
    path.lineTo(shackle.right(), r.top() + s * 0.44);
    path.moveTo(r.left() + s * 0.50, r.top() + s * 0.62);
    path.lineTo(r.left() + s * 0.50, r.top() + s * 0.74);
}

} // namespace

QPixmap navIcon(NavIcon icon, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QPainterPath path;
    switch (icon) {
    case NavIcon::Hosts:
        hostsPath(path, r);
        break;
    case NavIcon::Finance:
        financePath(path, r);
        break;
    case NavIcon::Buy:
        buyPath(path, r);
        break;
    case NavIcon::Service:
        servicePath(path, r);
        break;
    case NavIcon::Card:
        cardPath(path, r);
        break;
    case NavIcon::Lock:
        lockPath(path, r);
        break;
    }
    painter.setPen(iconPen(size));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    return pixmap;
}

QImage fieldIcon(NavIcon icon, int side, int iconSize)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int offset = (side - iconSize) / 2;
    painter.drawPixmap(offset, offset, navIcon(icon, iconSize, 1.0));
    return image;
}

QImage avatar(int side, qreal devicePixelRatio)
{
    QImage image(QSize(side, side) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(1, 1, side - 2, side - 2);
    QLinearGradient fill(disc.topLeft(), disc.bottomRight());
    fill.setColorAt(0.0, QColor(0x5A, 0xC8, 0xFA));
    fill.setColorAt(1.0, SkinColours::accent);
    QPainterPath clip;
    clip.addEllipse(disc);
    painter.fillPath(clip, fill);
    painter.setClipPath(clip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    const qreal s = disc.width();
    painter.drawEllipse(QRectF(disc.left() + s * 0.33, disc.top() + s * 0.20, s * 0.34, s * 0.34));
    painter.drawEllipse(QRectF(disc.left() + s * 0.15, disc.top() + s * 0.60, s * 0.70, s * 0.70));
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 32, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        SkinArt::paintLogoFrame(painter, QRectF(0, 0, side, side), SkinArt::logoFrameCount - 1);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace cloud::MainArt
