#include "PngEncoder.h"

#include <zlib.h>

namespace refservice {

namespace {

void appendBigEndian32(std::string &out, std::uint32_t value)
{
    out.push_back(static_cast<char>((value >> 24) & 0xFF));
    out.push_back(static_cast<char>((value >> 16) & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
    out.push_back(static_cast<char>(value & 0xFF));
}

// Every scanline starts with filter type 0 (none): simple and good enough for flat art.
std::string filteredScanlines(int width, int height, const std::vector<std::uint8_t> &rgb)
{
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::string raw;
    raw.reserve((stride + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');
        const auto *row = rgb.data() + stride * static_cast<std::size_t>(y);
        raw.append(reinterpret_cast<const char *>(row), stride);
    }
    return raw;
}

std::string deflate(const std::string &raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                  reinterpret_cast<const Bytef *>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

} // namespace

std::string PngEncoder::encodeRgb(int width, int height, const std::vector<std::uint8_t> &rgb)
{
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
        return {};
    const std::string idat = deflate(filteredScanlines(width, height, rgb));
    if (idat.empty())
        return {};
    std::string header;
    appendBigEndian32(header, static_cast<std::uint32_t>(width));
    appendBigEndian32(header, static_cast<std::uint32_t>(height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5); // depth 8, RGB, deflate, no filter, no interlace
    std::string png("\x89PNG\r\n\x1A\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", idat);
    appendChunk(png, "IEND", {});
    return png;
}

void PngEncoder::appendChunk(std::string &png, const char type[4], const std::string &data)
{
    appendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(typed.data()),
                            static_cast<uInt>(typed.size()));
    appendBigEndian32(png, static_cast<std::uint32_t>(crc));
}

} // namespace refservice
