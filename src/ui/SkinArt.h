#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace cloud {

// Colours of the skin that code (not the style sheet) needs.
namespace SkinColours {
inline const QColor typedText{0xFF, 0xFF, 0xFF, 0xFF};
inline const QColor hintText{0xB3, 0xB3, 0xB3, 0xFF};
inline const QColor labelHover{0xFF, 0xFF, 0xFF, 0xFF};
inline const QColor labelRest{0xE6, 0xE6, 0xE6, 0xBB};
inline const QColor accent{0x3D, 0x8B, 0xFD};
inline const QColor success{0x34, 0xC7, 0x7B};
inline const QColor failure{0xF2, 0x5C, 0x6E};
} // namespace SkinColours

// Pictures the program draws itself instead of shipping image files.
namespace SkinArt {

// Frame counts of the two animation strips (frames 0 .. count - 1).
constexpr int busyFrameCount = 51;
constexpr int logoFrameCount = 51;

enum class NavIcon { SignIn, Register, Recover };

void paintWindowBackground(QPainter &painter, const QRectF &rect);
// 0..25 spinner, 26..40 a tick drawing itself, 41..50 a cross drawing itself.
void paintBusyFrame(QPainter &painter, const QRectF &rect, int frame);
// The cloud mark drawing its outline, then filling in; frame 50 is the finished mark.
void paintLogoFrame(QPainter &painter, const QRectF &rect, int frame);
void paintVersionTick(QPainter &painter, const QRectF &rect);
QPixmap navIcon(NavIcon icon, int size, qreal devicePixelRatio);

} // namespace SkinArt
} // namespace cloud
