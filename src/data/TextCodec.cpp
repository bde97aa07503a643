#include "data/TextCodec.h"

#include "data/Gbk.h"
#include "data/ScriptString.h"
#include "data/TextUtil.h"
#include "data/Utf16.h"

namespace cloud {

namespace {

// Line breaks and apostrophes cannot stand inside a single-quoted literal, so they
// travel through it as these placeholders.
constexpr std::string_view kCrLfMark = "{$}";
constexpr std::string_view kLfMark = "{//n//}";
constexpr std::string_view kApostropheMark = "’"; // U+2019, which GBK holds

std::string_view upToZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

// What survives the trip through GBK: characters it cannot hold become "?".
std::string throughGbk(std::string_view utf8)
{
    return gbkToUtf8(utf8ToGbk(utf8));
}

std::string toLiteralBody(std::string_view text)
{
    std::string s = replaceAll(text, "\r\n", kCrLfMark);
    s = replaceAll(s, "\n", kLfMark);
    if (!s.empty() && s.front() == '\r')
        s.erase(0, 1);
    s = replaceAll(s, "\\u", "%u");
    return replaceAll(s, "'", kApostropheMark);
}

std::string restorePlaceholders(std::string_view text)
{
    std::string s = replaceAll(text, kApostropheMark, "'");
    s = replaceAll(s, kCrLfMark, "\r\n");
    return replaceAll(s, kLfMark, "\n");
}

} // namespace

std::string unescapeReply(std::string_view text)
{
    const std::string_view input = upToZero(text);
    if (input.empty())
        return {};
    const auto value = ScriptString::parseLiteral(utf8ToUtf16(toLiteralBody(input)));
    if (!value)
        return std::string(input);
    const std::string decoded = utf16ToUtf8(ScriptString::unescape(*value));
    return restorePlaceholders(throughGbk(upToZero(decoded)));
}

std::string escapeText(std::string_view text, bool brackets, bool punctuation,
                       std::string_view prefix)
{
    const std::string body = replaceAll(upToZero(text), "'", kApostropheMark);
    const auto value = ScriptString::parseLiteral(utf8ToUtf16(body));
    if (!value)
        return {};
    std::string out = ScriptString::escape(*value);
    if (brackets) {
        for (const auto &[code, ch] : {std::pair{"%7B", "{"},
                                       {"%7D", "}"},
                                       {"%5B", "["},
                                       {"%5D", "]"},
                                       {"%28", "("},
                                       {"%29", ")"}})
            out = replaceAll(out, code, ch);
    }
    if (punctuation) {
        for (const auto &[code, ch] : {std::pair{"%3A", ":"}, {"%2C", ","}, {"%22", "\""}})
            out = replaceAll(out, code, ch);
    }
    if (prefix != "%u" && !trimmed(prefix).empty())
        out = replaceAll(out, "%u", prefix);
    return out;
}

namespace {

bool isUnreserved(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return c == '-' || c == '.' || c == '_' || c == '*' || c == '\'' || c == '(' || c == ')';
}

} // namespace

std::string percentEncode(std::string_view bytes, bool keepUnreserved)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            continue;
        if (c == ' ') {
            out.push_back('+');
        } else if (keepUnreserved && isUnreserved(c)) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        }
    }
    return out;
}

std::string localToUtf16(std::string_view gbkText, bool cut)
{
    std::string out = utf16ToLeBytes(utf8ToUtf16(gbkTextToUtf8(gbkText)));
    if (!cut)
        out.append(2, '\0');
    return out;
}

std::string utf16ToCodePage(std::string_view utf16le, int codePage)
{
    const std::string utf8 = utf16ToUtf8(utf16FromLeBytes(utf16le));
    const std::string_view text = upToZero(utf8);
    switch (codePage) {
    case kCodePageAnsi:
    case kCodePageGbk:
        return utf8ToGbk(text);
    case kCodePageUtf8:
        return std::string(text);
    default:
        return {};
    }
}

std::string utf16ToText(std::string_view utf16le, int codePage, bool useCodePage)
{
    const int used = useCodePage ? codePage : kCodePageAnsi;
    const std::string bytes = utf16ToCodePage(utf16le, used);
    return used == kCodePageUtf8 ? bytes : gbkToUtf8(bytes);
}

std::string localToUtf8(std::string_view gbkText)
{
    return utf16ToCodePage(localToUtf16(gbkText), kCodePageUtf8);
}

} // namespace cloud
