#include "net/TextRequestHeaders.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "net/HeaderText.h"

namespace cloud::TextRequestHeaders {

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct DefaultLine
{
    std::string_view searched; // looked for anywhere in the text, in any letter case
    std::string_view line;
    bool postOnly;
};

// What a browser of the service's era sends; the service's pages expect nothing less.
constexpr DefaultLine kDefaultLines[] = {
    {"User-Agent: ",
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n",
     false},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*\r\n", false},
    {"Accept-Encoding: ", "Accept-Encoding: identity\r\n", false},
    {"Accept-Language: ", "Accept-Language: zh-cn\r\n", false},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded\r\n", true},
    {"Cache-Control: ", "Cache-Control: no-cache\r\n", false},
};

std::string withDefaultLines(std::string text, HttpMethod method)
{
    for (const DefaultLine &entry : kDefaultLines) {
        if (entry.postOnly && method != HttpMethod::Post)
            continue;
        if (findNoCase(text, entry.searched) == std::string::npos)
            text += entry.line;
    }
    return text;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(kCrLf, start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + kCrLf.size();
    }
    return lines;
}

// A keep-alive in exactly this spelling is what the connection does anyway; the line goes.
std::string withoutKeepAlive(const std::string &text)
{
    if (text.find("Connection") == std::string::npos)
        return text;
    std::string out;
    for (std::string_view line : splitLines(text)) {
        if (line == "Connection: keep-alive")
            continue;
        if (!out.empty())
            out += kCrLf;
        out += line;
    }
    return out;
}

std::string withCookieLine(std::string text, std::string_view cookies)
{
    if (cookies.empty() || findNoCase(text, "Cookie:") != std::string::npos)
        return text;
    const bool isLine = findNoCase(cookies, "Cookie:") != std::string_view::npos;
    text += isLine ? "\r\n" : "\r\nCookie: ";
    text += cookies;
    text += kCrLf;
    return text;
}

// A stray CR or LF inside a line would start a header line of its own on the wire.
std::string withoutBreaks(std::string_view line)
{
    std::string out(line);
    for (char &c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

bool isContentLength(std::string_view line)
{
    const std::size_t colon = line.find(':');
    return toLowerAscii(trimmed(line.substr(0, colon))) == "content-length";
}

} // namespace

std::string compose(std::string_view headers, std::string_view cookies, HttpMethod method,
                    bool complete, bool normalize)
{
    std::string text(headers);
    if (!text.empty())
        text += kCrLf;
    if (complete)
        text = withDefaultLines(std::move(text), method);
    if (normalize)
        text = normalizeHeaderBlock(text);
    return withCookieLine(withoutKeepAlive(text), cookies);
}

bool toWireLines(std::string_view text, std::optional<std::size_t> bodyLength,
                 std::vector<std::string> &lines)
{
    lines.clear();
    for (std::string_view line : splitLines(text)) {
        if (line.empty())
            continue;
        if (line.find(':') == std::string_view::npos)
            return false;
        if (!isContentLength(line)) {
            lines.push_back(utf8ToGbk(withoutBreaks(line)));
        } else if (bodyLength) {
            const std::size_t colon = line.find(':');
            lines.push_back(utf8ToGbk(withoutBreaks(line.substr(0, colon))) + ": " +
                            std::to_string(*bodyLength));
        }
    }
    return true;
}

} // namespace cloud::TextRequestHeaders
