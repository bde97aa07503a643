#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace refservice {

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// An RGB picture in memory with the few drawing operations the service's images need.
// Drawing outside the picture is clipped.
class Canvas
{
public:
    Canvas(int width, int height, Rgb background);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb pixel(int x, int y) const;

    void setPixel(int x, int y, Rgb color);
    void fillRect(int x, int y, int w, int h, Rgb color);
    void fillCircle(int cx, int cy, int radius, Rgb color);
    void drawLine(int x0, int y0, int x1, int y1, Rgb color);
    // Text in the 5x7 font, each font pixel drawn as a `scale` x `scale` block.
    void drawText(int x, int y, std::string_view text, int scale, Rgb color);
    // Width in pixels that drawText uses for `text`.
    static int textWidth(std::string_view text, int scale);

    std::string toPng() const;

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_rgb;
};

} // namespace refservice
