#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace refservice {

// Writes 8-bit RGB pictures as PNG files (signature, IHDR, one IDAT, IEND).
class PngEncoder
{
public:
    // `rgb` holds width * height * 3 bytes, rows from the top. Gives empty bytes when the
    // sizes do not fit or compression fails.
    static std::string encodeRgb(int width, int height, const std::vector<std::uint8_t> &rgb);

private:
    static void appendChunk(std::string &png, const char type[4], const std::string &data);
};

} // namespace refservice
