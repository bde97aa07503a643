#include "data/Utf16.h"

namespace cloud {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

struct LeadForm
{
    std::size_t length;  // bytes in the sequence
    char32_t smallest;   // below this the sequence is an overlong form
    unsigned char value; // bits of the lead byte that carry the value
};

// The form a lead byte starts; length 0 for a byte that starts no sequence.
LeadForm leadForm(unsigned char lead)
{
    if (lead < 0x80)
        return {1, 0, 0x7F};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0x1F};
    if (lead >= 0xE0 && lead <= 0xEF)
        return {3, 0x800, 0x0F};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {4, 0x10000, 0x07};
    return {0, 0, 0};
}

// Decodes the sequence at `pos`; returns its length, or 0 when it is not valid.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    const LeadForm form = leadForm(lead);
    if (form.length == 0 || s.size() - pos < form.length)
        return 0;
    cp = lead & form.value;
    for (std::size_t i = 1; i < form.length; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(c))
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return (cp < form.smallest || cp > 0x10FFFF || surrogate) ? 0 : form.length;
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
