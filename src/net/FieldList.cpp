#include "net/FieldList.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"

namespace cloud {

namespace {

bool isUnreserved(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '-':
    case '.':
    case '_':
    case '*':
    case '\'':
    case '(':
    case ')':
        return true;
    default:
        return false;
    }
}

// Form encoding of raw bytes: unreserved characters kept, a space as "+", zero bytes
// dropped, everything else as "%XX".
std::string percentEncodeBytes(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            continue;
        if (isUnreserved(c)) {
            out.push_back(ch);
        } else if (c == ' ') {
            out.push_back('+');
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        }
    }
    return out;
}

// Quote, backslash and control characters would break the object text.
std::string jsonQuoted(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out.push_back('\\');
            out.push_back(ch);
        } else if (c < 0x20) {
            out += "\\u00";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    out.push_back('"');
    return out;
}

} // namespace

void FieldList::add(std::string name, std::string value, bool convert)
{
    m_names.push_back(std::move(name));
    m_values.push_back(std::move(value));
    m_utf8.push_back(convert);
}

void FieldList::parseForm(std::string_view form, bool convert)
{
    if (form.empty())
        return;
    std::size_t start = 0;
    while (true) {
        const std::size_t amp = form.find('&', start);
        const std::string_view piece = form.substr(
            start, amp == std::string_view::npos ? std::string_view::npos : amp - start);
        add(textBefore(piece, "="), textAfter(piece, "="), convert);
        if (amp == std::string_view::npos)
            break;
        start = amp + 1;
    }
}

std::size_t FieldList::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == name)
            return i;
    }
    return m_names.size();
}

std::string FieldList::get(std::string_view name) const
{
    const std::size_t i = indexOf(name);
    return i < m_values.size() ? m_values[i] : std::string();
}

void FieldList::set(std::string_view name, std::string value)
{
    const std::size_t i = indexOf(name);
    if (i < m_values.size())
        m_values[i] = std::move(value);
    else
        add(std::string(name), std::move(value));
}

void FieldList::remove(std::string_view name)
{
    const std::size_t i = indexOf(name);
    if (i >= m_names.size())
        return;
    const auto offset = static_cast<std::ptrdiff_t>(i);
    m_names.erase(m_names.begin() + offset);
    m_values.erase(m_values.begin() + offset);
    m_utf8.erase(m_utf8.begin() + offset);
}

void FieldList::clear()
{
    m_names.clear();
    m_values.clear();
    m_utf8.clear();
}

std::string FieldList::encoded(std::size_t index, const std::string &text) const
{
    return percentEncodeBytes(m_utf8[index] ? text : utf8ToGbk(text));
}

std::string FieldList::toForm(bool encode) const
{
    std::string out;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (i > 0)
            out.push_back('&');
        out += encode ? encoded(i, m_names[i]) : m_names[i];
        out.push_back('=');
        out += encode ? encoded(i, m_values[i]) : m_values[i];
    }
    return out;
}

std::string FieldList::toHeaderBlock(bool encode) const
{
    std::string out;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        out += m_names[i];
        out += ": ";
        out += encode ? encoded(i, m_values[i]) : m_values[i];
    }
    return out;
}

std::string FieldList::toJson() const
{
    std::string out = "{";
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        out += jsonQuoted(m_names[i]);
        out.push_back(':');
        out += jsonQuoted(m_values[i]);
    }
    out.push_back('}');
    return out;
}

} // namespace cloud
