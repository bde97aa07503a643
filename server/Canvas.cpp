#include "Canvas.h"

#include "BitmapFont.h"
#include "PngEncoder.h"

#include <algorithm>
#include <cstdlib>

namespace refservice {

Canvas::Canvas(int width, int height, Rgb background)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)),
      m_rgb(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 3)
{
    fillRect(0, 0, m_width, m_height, background);
}

Rgb Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {};
    const std::size_t at = (static_cast<std::size_t>(y) * m_width + x) * 3;
    return {m_rgb[at], m_rgb[at + 1], m_rgb[at + 2]};
}

void Canvas::setPixel(int x, int y, Rgb color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const std::size_t at = (static_cast<std::size_t>(y) * m_width + x) * 3;
    m_rgb[at] = color.r;
    m_rgb[at + 1] = color.g;
    m_rgb[at + 2] = color.b;
}

void Canvas::fillRect(int x, int y, int w, int h, Rgb color)
{
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + w, m_width);
    const int y1 = std::min(y + h, m_height);
    for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px)
            setPixel(px, py, color);
}

void Canvas::fillCircle(int cx, int cy, int radius, Rgb color)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * radius)
                setPixel(cx + dx, cy + dy, color);
}

void Canvas::drawLine(int x0, int y0, int x1, int y1, Rgb color)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        setPixel(x0, y0, color);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::drawText(int x, int y, std::string_view text, int scale, Rgb color)
{
    for (const char c : text) {
        const BitmapFont::Glyph glyph = BitmapFont::glyph(c);
        for (int row = 0; row < BitmapFont::glyphHeight; ++row)
            for (int col = 0; col < BitmapFont::glyphWidth; ++col)
                if (BitmapFont::isSet(glyph, col, row))
                    fillRect(x + col * scale, y + row * scale, scale, scale, color);
        x += (BitmapFont::glyphWidth + 1) * scale;
    }
}

int Canvas::textWidth(std::string_view text, int scale)
{
    if (text.empty())
        return 0;
    return static_cast<int>(text.size()) * (BitmapFont::glyphWidth + 1) * scale - scale;
}

std::string Canvas::toPng() const
{
    return PngEncoder::encodeRgb(m_width, m_height, m_rgb);
}

} // namespace refservice
