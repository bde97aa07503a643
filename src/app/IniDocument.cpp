#include "app/IniDocument.h"

namespace cloud {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isGbkLead(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x81 && u <= 0xFE;
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The second byte of a GBK character may be ']' or a letter, so the bytes are walked
// character by character.
std::size_t lastCloseBracket(std::string_view s)
{
    std::size_t found = npos;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isGbkLead(s[i]))
            ++i;
        else if (s[i] == ']')
            found = i;
    }
    return found;
}

// ASCII letters match in either case; the bytes of a double-byte character must match
// exactly, even when its second byte looks like a letter.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isGbkLead(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view unquoted(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

} // namespace

IniDocument::IniDocument(std::string gbkBytes) : m_bytes(std::move(gbkBytes))
{
    parse();
}

void IniDocument::parse()
{
    m_lines.clear();
    std::size_t pos = 0;
    while (pos < m_bytes.size()) {
        Line line;
        line.begin = pos;
        const std::size_t lf = m_bytes.find('\n', pos);
        line.end = lf == npos ? m_bytes.size() : lf + 1;
        line.contentEnd = lf == npos ? m_bytes.size() : lf;
        if (lf != npos && lf > pos && m_bytes[lf - 1] == '\r')
            --line.contentEnd;
        classify(line);
        m_lines.push_back(std::move(line));
        pos = m_lines.back().end;
    }
}

void IniDocument::classify(Line &line) const
{
    const std::string_view all(m_bytes);
    const std::string_view content =
        trimBlanks(all.substr(line.begin, line.contentEnd - line.begin));
    if (content.empty())
        return;
    if (content.front() == '[') {
        const std::size_t close = lastCloseBracket(content);
        if (close != npos) {
            line.kind = Kind::Section;
            line.name = trimBlanks(content.substr(1, close - 1));
            return;
        }
    }
    // A line without '=' is a key without a value; '=' is never part of a GBK character.
    line.kind = Kind::Key;
    const std::size_t eq = content.find('=');
    line.name = trimBlanks(content.substr(0, eq));
    if (eq != npos)
        line.value = trimBlanks(content.substr(eq + 1));
}

std::size_t IniDocument::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section))
            return i;
    }
    return npos;
}

std::size_t IniDocument::findKey(std::size_t sectionLine, std::string_view key) const
{
    for (std::size_t i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section)
            break;
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key))
            return i;
    }
    return npos;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const std::size_t s = findSection(section);
    const std::size_t k = s == npos ? npos : findKey(s, key);
    if (k == npos)
        return std::nullopt;
    return std::string(unquoted(m_lines[k].value));
}

std::string_view IniDocument::lineBreak() const
{
    const std::size_t lf = m_bytes.find('\n');
    if (lf == npos)
        return "\r\n"; // what the platform writes
    return (lf > 0 && m_bytes[lf - 1] == '\r') ? "\r\n" : "\n";
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string eol(lineBreak());
    const std::size_t s = findSection(section);
    if (s == npos) {
        if (!m_bytes.empty() && m_bytes.back() != '\n')
            m_bytes += eol;
        m_bytes.append("[").append(section).append("]").append(eol);
        m_bytes.append(key).append("=").append(value).append(eol);
    } else if (const std::size_t k = findKey(s, key); k != npos) {
        const Line &line = m_lines[k];
        // The name keeps the spelling the file gives it.
        const std::string entry = line.name + "=" + std::string(value);
        m_bytes.replace(line.begin, line.contentEnd - line.begin, entry);
    } else {
        std::size_t last = s;
        for (std::size_t i = s + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i) {
            if (m_lines[i].kind != Kind::Blank)
                last = i;
        }
        const Line &line = m_lines[last];
        std::string entry = line.end == line.contentEnd ? eol : std::string();
        entry.append(key).append("=").append(value).append(eol);
        m_bytes.insert(line.end, entry);
    }
    parse();
}

} // namespace cloud
