#include "data/ScriptString.h"

namespace cloud {

namespace {

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool isOctal(char16_t c)
{
    return c >= u'0' && c <= u'7';
}

bool isLineTerminator(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

// Value of the `count` hexadecimal digits at `pos`, or -1 when one of them is missing.
long hexRun(std::u16string_view s, std::size_t pos, std::size_t count)
{
    if (pos > s.size() || s.size() - pos < count)
        return -1;
    long value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = hexValue(s[pos + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void appendCodePoint(std::u16string &out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Reads one escape sequence; `pos` is just after the backslash and is moved past it.
class EscapeReader
{
public:
    EscapeReader(std::u16string_view body, std::size_t &pos, std::u16string &out)
        : m_s(body), m_pos(pos), m_out(out)
    {}

    bool read()
    {
        if (m_pos >= m_s.size())
            return false; // the backslash would escape the closing quote
        const char16_t c = m_s[m_pos];
        if (isLineTerminator(c))
            return lineContinuation();
        if (isOctal(c))
            return octal();
        if (c == u'x')
            return hex();
        if (c == u'u')
            return unicode();
        m_out.push_back(single(c));
        ++m_pos;
        return true;
    }

private:
    static char16_t single(char16_t c)
    {
        switch (c) {
        case u'b':
            return u'\b';
        case u'f':
            return u'\f';
        case u'n':
            return u'\n';
        case u'r':
            return u'\r';
        case u't':
            return u'\t';
        case u'v':
            return u'\v';
        default:
            return c; // ' " \ 8 9 and every other character stand for themselves
        }
    }

    bool lineContinuation()
    {
        const bool crlf = m_s[m_pos] == u'\r' && m_pos + 1 < m_s.size() && m_s[m_pos + 1] == u'\n';
        m_pos += crlf ? 2 : 1;
        return true;
    }

    // \0-\3 take up to two more octal digits, \4-\7 up to one more.
    bool octal()
    {
        const char16_t first = m_s[m_pos++];
        int value = first - u'0';
        const int more = first <= u'3' ? 2 : 1;
        for (int i = 0; i < more && m_pos < m_s.size() && isOctal(m_s[m_pos]); ++i)
            value = value * 8 + (m_s[m_pos++] - u'0');
        m_out.push_back(static_cast<char16_t>(value));
        return true;
    }

    bool hex()
    {
        const long value = hexRun(m_s, m_pos + 1, 2);
        if (value < 0)
            return false;
        m_out.push_back(static_cast<char16_t>(value));
        m_pos += 3;
        return true;
    }

    bool unicode()
    {
        if (m_pos + 1 < m_s.size() && m_s[m_pos + 1] == u'{')
            return braced();
        const long value = hexRun(m_s, m_pos + 1, 4);
        if (value < 0)
            return false;
        m_out.push_back(static_cast<char16_t>(value));
        m_pos += 5;
        return true;
    }

    // \u{H...}: one or more hexadecimal digits naming a code point up to U+10FFFF.
    bool braced()
    {
        std::size_t p = m_pos + 2;
        char32_t value = 0;
        const std::size_t digitsFrom = p;
        for (; p < m_s.size() && hexValue(m_s[p]) >= 0; ++p) {
            value = value * 16 + static_cast<char32_t>(hexValue(m_s[p]));
            if (value > 0x10FFFF)
                return false;
        }
        if (p == digitsFrom || p >= m_s.size() || m_s[p] != u'}')
            return false;
        appendCodePoint(m_out, value);
        m_pos = p + 1;
        return true;
    }

    std::u16string_view m_s;
    std::size_t &m_pos;
    std::u16string &m_out;
};

bool isEscapeSafe(char16_t u)
{
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
        return true;
    return u == u'@' || u == u'*' || u == u'_' || u == u'+' || u == u'-' || u == u'.' || u == u'/';
}

} // namespace

std::optional<std::u16string> ScriptString::parseLiteral(std::u16string_view body)
{
    std::u16string out;
    out.reserve(body.size());
    std::size_t pos = 0;
    while (pos < body.size()) {
        const char16_t c = body[pos];
        if (c == u'\'' || c == u'\n' || c == u'\r')
            return std::nullopt;
        if (c != u'\\') {
            out.push_back(c);
            ++pos;
            continue;
        }
        ++pos;
        if (!EscapeReader(body, pos, out).read())
            return std::nullopt;
    }
    return out;
}

std::string ScriptString::escape(std::u16string_view units)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(units.size() * 3);
    for (char16_t u : units) {
        if (isEscapeSafe(u)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        out.push_back('%');
        if (u >= 256) {
            out.push_back('u');
            out.push_back(kHex[(u >> 12) & 0xF]);
            out.push_back(kHex[(u >> 8) & 0xF]);
        }
        out.push_back(kHex[(u >> 4) & 0xF]);
        out.push_back(kHex[u & 0xF]);
    }
    return out;
}

std::u16string ScriptString::unescape(std::u16string_view units)
{
    std::u16string out;
    out.reserve(units.size());
    for (std::size_t k = 0; k < units.size(); ++k) {
        if (units[k] != u'%') {
            out.push_back(units[k]);
            continue;
        }
        const long wide =
            (k + 1 < units.size() && units[k + 1] == u'u') ? hexRun(units, k + 2, 4) : -1;
        if (wide >= 0) {
            out.push_back(static_cast<char16_t>(wide));
            k += 5;
            continue;
        }
        const long narrow = hexRun(units, k + 1, 2);
        if (narrow >= 0) {
            out.push_back(static_cast<char16_t>(narrow));
            k += 2;
            continue;
        }
        out.push_back(u'%');
    }
    return out;
}

} // namespace cloud
