#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>

namespace refservice::test {

// Reads an 8-bit RGB PNG as the service writes it and checks what a decoder relies on: the
// signature, IHDR first, every chunk's CRC, IEND last and image data of the size IHDR promises.
struct PngInfo
{
    bool valid = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string pixels; // filtered scanlines as inflated from IDAT
};

inline std::uint32_t bigEndian32(const std::string &bytes, std::size_t at)
{
    return (std::uint32_t(static_cast<unsigned char>(bytes[at])) << 24) |
           (std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 16) |
           (std::uint32_t(static_cast<unsigned char>(bytes[at + 2])) << 8) |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 3]));
}

inline PngInfo checkPng(const std::string &png)
{
    PngInfo info;
    if (png.compare(0, 8, std::string("\x89PNG\r\n\x1A\n", 8)) != 0)
        return info;
    std::size_t at = 8;
    std::string idat;
    bool sawEnd = false;
    while (at + 12 <= png.size() && !sawEnd) {
        const std::uint32_t length = bigEndian32(png, at);
        if (at + 12 + length > png.size())
            return info;
        const std::string type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef *>(png.data() + at + 4), length + 4);
        if (crc != bigEndian32(png, at + 8 + length))
            return info;
        if (at == 8 && (type != "IHDR" || length != 13 || data[8] != 8 || data[9] != 2))
            return info;
        if (type == "IHDR") {
            info.width = bigEndian32(data, 0);
            info.height = bigEndian32(data, 4);
        } else if (type == "IDAT") {
            idat += data;
        }
        sawEnd = type == "IEND";
        at += 12 + length;
    }
    uLongf size = static_cast<uLongf>(info.height) * (1 + 3 * info.width);
    info.pixels.assign(size, '\0');
    if (!sawEnd || at != png.size() ||
        uncompress(reinterpret_cast<Bytef *>(info.pixels.data()), &size,
                   reinterpret_cast<const Bytef *>(idat.data()), idat.size()) != Z_OK ||
        size != info.pixels.size())
        return info;
    info.valid = info.width > 0 && info.height > 0;
    return info;
}

} // namespace refservice::test
