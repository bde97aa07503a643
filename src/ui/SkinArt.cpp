#include "ui/SkinArt.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>

namespace cloud::SkinArt {
namespace {

qreal progress(int frame, int first, int last)
{
    if (last <= first)
        return 1.0;
    return std::clamp(qreal(frame - first) / qreal(last - first), 0.0, 1.0);
}

// Strokes the first `fraction` of a path, so a drawing can appear line by line.
void strokePartial(QPainter &painter, const QPainterPath &path, qreal fraction, const QPen &pen)
{
    if (fraction <= 0.0)
        return;
    constexpr int samples = 64;
    QPolygonF line;
    for (int i = 0; i <= samples; ++i)
        line << path.pointAtPercent(std::min(1.0, fraction * i / samples));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
}

QPen roundPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath ring(const QRectF &rect)
{
    QPainterPath path;
    path.moveTo(rect.center().x(), rect.top());
    path.arcTo(rect, 90, -360);
    return path;
}

void paintSpinner(QPainter &painter, const QRectF &rect, int frame)
{
    const qreal width = std::max<qreal>(2.0, rect.width() * 0.12);
    const QRectF arc = rect.adjusted(width, width, -width, -width);
    const qreal angle = -360.0 * (frame % 25) / 25.0;
    // The bright head leads the clockwise turn; the tail fades out behind it.
    QConicalGradient tail(arc.center(), angle);
    tail.setColorAt(0.0, QColor(255, 255, 255, 255));
    tail.setColorAt(0.75, QColor(255, 255, 255, 0));
    tail.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(QPen(QBrush(tail), width, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(arc, int(angle * 16), 270 * 16);
}

// A ring that closes, then a mark (tick or cross) drawn stroke by stroke.
void paintOutcome(QPainter &painter, const QRectF &rect, qreal t, const QColor &colour,
                  const QList<QPainterPath> &strokes)
{
    const qreal width = std::max<qreal>(2.0, rect.width() * 0.1);
    const QRectF circle = rect.adjusted(width, width, -width, -width);
    strokePartial(painter, ring(circle), t * 2.0, roundPen(colour, width));
    const qreal second = std::clamp(t * 2.0 - 1.0, 0.0, 1.0);
    if (second > 0.0) {
        // Once the ring is closed it fills, so the white mark reads on any button.
        QColor fill = colour;
        fill.setAlphaF(std::min(1.0, second * 2.0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawEllipse(circle.adjusted(-width / 2, -width / 2, width / 2, width / 2));
    }
    const qreal markT = second * strokes.size();
    const QPen markPen = roundPen(Qt::white, width);
    for (int i = 0; i < strokes.size(); ++i)
        strokePartial(painter, strokes[i], std::clamp(markT - i, 0.0, 1.0), markPen);
}

QPainterPath polyline(const QRectF &r, std::initializer_list<QPointF> unitPoints)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &p : unitPoints) {
        const QPointF at(r.left() + p.x() * r.width(), r.top() + p.y() * r.height());
        if (first)
            path.moveTo(at);
        else
            path.lineTo(at);
        first = false;
    }
    return path;
}

QPainterPath ellipse(const QRectF &rect)
{
    QPainterPath path;
    path.addEllipse(rect);
    return path;
}

QPainterPath cloudShape(const QRectF &r)
{
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath base;
    base.addRoundedRect(QRectF(r.left() + w * 0.14, r.top() + h * 0.52, w * 0.72, h * 0.28),
                        h * 0.14, h * 0.14);
    return base.united(ellipse(QRectF(r.left() + w * 0.06, r.top() + h * 0.42, w * 0.36, h * 0.38)))
        .united(ellipse(QRectF(r.left() + w * 0.25, r.top() + h * 0.16, w * 0.46, h * 0.50)))
        .united(ellipse(QRectF(r.left() + w * 0.55, r.top() + h * 0.34, w * 0.38, h * 0.46)))
        .simplified();
}

void paintServerBars(QPainter &painter, const QRectF &r, qreal t)
{
    const QRectF bars(r.left() + r.width() * 0.34, r.top() + r.height() * 0.40, r.width() * 0.32,
                      r.height() * 0.34);
    const qreal barH = bars.height() / 4.0;
    for (int i = 0; i < 3; ++i) {
        const qreal appear = std::clamp(t * 3.0 - i, 0.0, 1.0);
        if (appear <= 0.0)
            continue;
        const QRectF bar(bars.left(), bars.top() + i * barH * 1.35, bars.width() * appear, barH);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRoundedRect(bar, barH * 0.35, barH * 0.35);
        painter.setBrush(SkinColours::accent.darker(130));
        const qreal dot = barH * 0.36;
        painter.drawEllipse(QPointF(bar.left() + barH * 0.55, bar.center().y()), dot / 2, dot / 2);
    }
}

void personPath(QPainterPath &path, const QRectF &r)
{
    const qreal s = r.width();
    path.addEllipse(QRectF(r.left() + s * 0.32, r.top() + s * 0.08, s * 0.36, s * 0.36));
    path.moveTo(r.left() + s * 0.12, r.top() + s * 0.94);
    path.cubicTo(r.left() + s * 0.14, r.top() + s * 0.52, r.left() + s * 0.86, r.top() + s * 0.52,
                 r.left() + s * 0.88, r.top() + s * 0.94);
}

} // namespace

void paintWindowBackground(QPainter &painter, const QRectF &rect)
{
    QLinearGradient base(rect.topLeft(), rect.bottomLeft());
    base.setColorAt(0.0, QColor(0x1C, 0x22, 0x31));
    base.setColorAt(1.0, QColor(0x12, 0x16, 0x20));
    painter.fillRect(rect, base);
    QRadialGradient glow(rect.topLeft() + QPointF(rect.width() * 0.15, 0), rect.width() * 0.6);
    glow.setColorAt(0.0, QColor(0x3D, 0x8B, 0xFD, 46));
    glow.setColorAt(1.0, QColor(0x3D, 0x8B, 0xFD, 0));
    painter.fillRect(rect, glow);
    painter.setPen(QPen(QColor(0x2E, 0x36, 0x48), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}

void paintBusyFrame(QPainter &painter, const QRectF &rect, int frame)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    frame = std::clamp(frame, 0, busyFrameCount - 1);
    if (frame <= 25) {
        paintSpinner(painter, rect, frame);
    } else if (frame <= 40) {
        paintOutcome(painter, rect, progress(frame, 26, 39), SkinColours::success,
                     {polyline(rect, {{0.30, 0.52}, {0.44, 0.66}, {0.71, 0.37}})});
    } else {
        paintOutcome(painter, rect, progress(frame, 41, 50), SkinColours::failure,
                     {polyline(rect, {{0.35, 0.35}, {0.65, 0.65}}),
                      polyline(rect, {{0.65, 0.35}, {0.35, 0.65}})});
    }
    painter.restore();
}

void paintLogoFrame(QPainter &painter, const QRectF &rect, int frame)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    frame = std::clamp(frame, 0, logoFrameCount - 1);
    const qreal side = std::min(rect.width(), rect.height());
    const QRectF r(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const QPainterPath cloud = cloudShape(r);
    const qreal fill = progress(frame, 18, 42);
    if (fill > 0.0) {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, QColor(0x5A, 0xC8, 0xFA));
        g.setColorAt(1.0, SkinColours::accent);
        painter.setOpacity(fill);
        painter.fillPath(cloud, g);
        painter.setOpacity(1.0);
    }
    const QColor outline(0x8F, 0xC1, 0xFF, int(255 * (1.0 - 0.6 * fill)));
    strokePartial(painter, cloud, progress(frame, 0, 26), roundPen(outline, side * 0.03));
    paintServerBars(painter, r, progress(frame, 34, 50));
    painter.restore();
}

void paintVersionTick(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle = rect.adjusted(2, 2, -2, -2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SkinColours::success);
    painter.drawEllipse(circle);
    painter.setPen(roundPen(Qt::white, rect.width() * 0.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(polyline(circle, {{0.27, 0.52}, {0.43, 0.68}, {0.73, 0.36}}));
    painter.restore();
}

QPixmap navIcon(NavIcon icon, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    const QPen pen = roundPen(QColor(0xE6, 0xE6, 0xE6), std::max(1.4, size / 12.0));
    painter.setPen(pen);
    QPainterPath path;
    if (icon == NavIcon::Recover) {
        const qreal s = r.width();
        path.addEllipse(QRectF(r.left() + s * 0.06, r.top() + s * 0.24, s * 0.40, s * 0.40));
        path.moveTo(r.left() + s * 0.46, r.top() + s * 0.44);
        path.lineTo(r.left() + s * 0.94, r.top() + s * 0.44);
        path.moveTo(r.left() + s * 0.80, r.top() + s * 0.44);
        path.lineTo(r.left() + s * 0.80, r.top() + s * 0.66);
        path.moveTo(r.left() + s * 0.66, r.top() + s * 0.44);
        path.lineTo(r.left() + s * 0.66, r.top() + s * 0.60);
    } else {
        const qreal shrink = icon == NavIcon::Register ? 0.8 : 1.0;
        personPath(path, QRectF(r.topLeft(), r.size() * shrink));
        if (icon == NavIcon::Register) {
            const QPointF c(r.left() + r.width() * 0.82, r.top() + r.height() * 0.78);
            const qreal arm = r.width() * 0.16;
            path.moveTo(c.x() - arm, c.y());
            path.lineTo(c.x() + arm, c.y());
            path.moveTo(c.x(), c.y() - arm);
            path.lineTo(c.x(), c.y() + arm);
        }
    }
    painter.drawPath(path);
    return pixmap;
}

} // namespace cloud::SkinArt
