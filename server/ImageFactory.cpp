#include "ImageFactory.h"

#include "BitmapFont.h"
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace refservice {

namespace {

constexpr Rgb white{255, 255, 255};
constexpr Rgb ink{24, 24, 24};

void drawCloud(Canvas &canvas, int x, int y)
{
    canvas.fillCircle(x + 22, y + 30, 16, white);
    canvas.fillCircle(x + 44, y + 20, 22, white);
    canvas.fillCircle(x + 70, y + 28, 17, white);
    canvas.fillRect(x + 22, y + 30, 48, 16, white);
}

// One 7x7 finder square of the code pattern, at module position (mx, my).
void drawFinder(Canvas &canvas, int mx, int my, int module)
{
    canvas.fillRect(mx * module, my * module, 7 * module, 7 * module, ink);
    canvas.fillRect((mx + 1) * module, (my + 1) * module, 5 * module, 5 * module, white);
    canvas.fillRect((mx + 2) * module, (my + 2) * module, 3 * module, 3 * module, ink);
}

bool insideFinder(int x, int y, int size)
{
    const bool left = x < 8;
    const bool top = y < 8;
    const bool right = x >= size - 8;
    const bool bottom = y >= size - 8;
    return (left && top) || (right && top) || (left && bottom);
}

void drawCaptchaGlyph(Canvas &canvas, char c, int x, int y, std::mt19937 &random)
{
    constexpr int scale = 3;
    std::uniform_real_distribution<double> shearPick(-0.35, 0.35);
    std::uniform_real_distribution<double> phasePick(0.0, 6.28);
    std::uniform_int_distribution<int> shade(0, 110);
    const double shear = shearPick(random);
    const double phase = phasePick(random);
    const Rgb color{static_cast<std::uint8_t>(shade(random)),
                    static_cast<std::uint8_t>(shade(random)),
                    static_cast<std::uint8_t>(shade(random))};
    const BitmapFont::Glyph glyph = BitmapFont::glyph(c);
    for (int row = 0; row < BitmapFont::glyphHeight; ++row) {
        for (int col = 0; col < BitmapFont::glyphWidth; ++col) {
            if (!BitmapFont::isSet(glyph, col, row))
                continue;
            const int px =
                x + col * scale + static_cast<int>(std::lround(shear * (row - 3) * scale));
            const int py =
                y + row * scale + static_cast<int>(std::lround(2.0 * std::sin(phase + px / 5.0)));
            canvas.fillRect(px, py, scale, scale, color);
        }
    }
}

void drawCaptchaNoise(Canvas &canvas, std::mt19937 &random)
{
    std::uniform_int_distribution<int> xs(0, canvas.width() - 1);
    std::uniform_int_distribution<int> ys(0, canvas.height() - 1);
    std::uniform_int_distribution<int> tone(90, 200);
    for (int i = 0; i < 3; ++i) {
        const Rgb color{static_cast<std::uint8_t>(tone(random)),
                        static_cast<std::uint8_t>(tone(random)),
                        static_cast<std::uint8_t>(tone(random))};
        canvas.drawLine(xs(random), ys(random), xs(random), ys(random), color);
    }
    for (int i = 0; i < canvas.width() * 2; ++i) {
        const auto t = static_cast<std::uint8_t>(tone(random));
        canvas.setPixel(xs(random), ys(random), Rgb{t, t, t});
    }
}

} // namespace

std::string ImageFactory::logoPng()
{
    Canvas canvas(280, 80, Rgb{70, 150, 230});
    for (int y = 0; y < canvas.height(); ++y) {
        const auto shade = static_cast<std::uint8_t>(110 + y);
        canvas.fillRect(0, y, canvas.width(), 1, Rgb{40, shade, 235});
    }
    drawCloud(canvas, 12, 14);
    canvas.drawText(112, 16, "CLOUD", 3, white);
    canvas.drawText(114, 48, "SERVER", 2, Rgb{225, 240, 255});
    return canvas.toPng();
}

std::string ImageFactory::vxPng()
{
    return codePatternPng(0x5678u);
}

std::string ImageFactory::vx2Png()
{
    return codePatternPng(0x9ABCu);
}

std::string ImageFactory::codePatternPng(std::uint32_t seed)
{
    constexpr int modules = 21;
    constexpr int quiet = 4;
    constexpr int module = 5;
    constexpr int side = modules + 2 * quiet;
    Canvas canvas(side * module, side * module, white);
    std::mt19937 random(seed);
    std::bernoulli_distribution dark(0.5);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x)
            if (!insideFinder(x, y, modules) && dark(random))
                canvas.fillRect((x + quiet) * module, (y + quiet) * module, module, module, ink);
    drawFinder(canvas, quiet, quiet, module);
    drawFinder(canvas, quiet + modules - 7, quiet, module);
    drawFinder(canvas, quiet, quiet + modules - 7, module);
    return canvas.toPng();
}

std::string ImageFactory::captchaPng(const std::string &digits)
{
    return captchaPng(digits, std::random_device{}());
}

std::string ImageFactory::captchaPng(const std::string &digits, std::uint32_t seed)
{
    const std::string shown = digits.substr(0, 16);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> jitter(-2, 2);
    std::uniform_int_distribution<int> light(215, 250);
    const Rgb paper{static_cast<std::uint8_t>(light(random)),
                    static_cast<std::uint8_t>(light(random)),
                    static_cast<std::uint8_t>(light(random))};
    Canvas canvas(12 + 20 * static_cast<int>(std::max<std::size_t>(shown.size(), 1)), 34, paper);
    drawCaptchaNoise(canvas, random);
    for (std::size_t i = 0; i < shown.size(); ++i)
        drawCaptchaGlyph(canvas, shown[i], 8 + 20 * static_cast<int>(i) + jitter(random),
                         6 + jitter(random), random);
    return canvas.toPng();
}

} // namespace refservice
