#pragma once

#include <array>
#include <cstdint>

namespace refservice {

// A 5x7 pixel font for digits, Latin capitals and a little punctuation.
class BitmapFont
{
public:
    static constexpr int glyphWidth = 5;
    static constexpr int glyphHeight = 7;
    using Glyph = std::array<std::uint8_t, glyphHeight>; // bit 4 is the leftmost column

    // Lower-case letters draw as capitals; characters the font lacks draw as "?".
    static Glyph glyph(char c);
    static bool isSet(const Glyph &glyph, int column, int row);
};

} // namespace refservice
