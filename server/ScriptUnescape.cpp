#include "ScriptUnescape.h"

#include "data/Utf16.h"

#include <cstdint>

namespace refservice {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of `digits` hexadecimal digits at `pos`; -1 when they are not all there.
long hexAt(std::string_view text, std::size_t pos, std::size_t digits)
{
    if (pos + digits > text.size())
        return -1;
    long value = 0;
    for (std::size_t i = pos; i < pos + digits; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool isHigh(long unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(long unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The escape at `pos` (which holds "%"): its UTF-16 unit and length, or -1 for none.
long escapeAt(std::string_view text, std::size_t pos, std::size_t &length)
{
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with("%25u") && hexAt(text, pos + 4, 4) >= 0) {
        length = 8;
        return hexAt(text, pos + 4, 4);
    }
    if (rest.starts_with("%u") && hexAt(text, pos + 2, 4) >= 0) {
        length = 6;
        return hexAt(text, pos + 2, 4);
    }
    length = 3;
    return hexAt(text, pos + 1, 2);
}

} // namespace

std::optional<std::string> ScriptUnescape::decode(std::string_view text)
{
    std::string out;
    long high = -1; // a high surrogate waiting for its low half
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 1;
        const long unit = text[pos] == '%' ? escapeAt(text, pos, length) : -1;
        if (unit < 0) {
            if (high >= 0)
                return std::nullopt;
            length = 1;
            out.push_back(text[pos]);
        } else if (high >= 0) {
            if (!isLow(unit))
                return std::nullopt;
            out += cloud::utf16ToUtf8(
                std::u16string{static_cast<char16_t>(high), static_cast<char16_t>(unit)});
            high = -1;
        } else if (isHigh(unit)) {
            high = unit;
        } else if (isLow(unit)) {
            return std::nullopt;
        } else {
            out += cloud::utf16ToUtf8(std::u16string(1, static_cast<char16_t>(unit)));
        }
        pos += length;
    }
    if (high >= 0)
        return std::nullopt;
    return out;
}

} // namespace refservice
