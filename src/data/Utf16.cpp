#include "data/Utf16.h"

namespace cloud {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Decodes the sequence at `pos`; returns its length, or 0 when it is not valid.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t len = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, min = 0x80, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, min = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() - pos < len)
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(c))
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return (cp < min || cp > 0x10FFFF || surrogate) ? 0 : len;
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

std::u16string utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = decodeUtf8(utf8, pos, cp);
        if (len == 0) {
            out.push_back(kReplacement);
            ++pos;
            continue;
        }
        pos += len;
        if (cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (isHighSurrogate(u) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            const char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            appendUtf8(out, cp);
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::u16string utf16FromLeBytes(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

std::string utf16ToLeBytes(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size() * 2);
    for (char16_t u : units) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

} // namespace cloud
