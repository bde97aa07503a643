#include "net/HeaderText.h"

#include "data/TextUtil.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace cloud {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kCookieSeparator = "; ";
constexpr std::string_view kDeletedMark = "=deleted";

std::vector<std::string> splitAll(std::string_view text, std::string_view separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t hit = text.find(separator, start);
        if (hit == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
}

std::string joined(const std::vector<std::string> &pieces, std::string_view separator)
{
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

void capitalize(std::string &word)
{
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
}

std::string normalizedName(std::string_view name)
{
    std::vector<std::string> pieces = splitAll(name, "-");
    std::for_each(pieces.begin(), pieces.end(), capitalize);
    return joined(pieces, "-");
}

// The pair of one "Set-Cookie" line; attributes after the first ";" are dropped.
std::string cookiePairOf(const std::string &line)
{
    if (line.find(';') != std::string::npos)
        return trimmed(textBetween(line, "Set-Cookie:", ";"));
    const std::size_t name = findNoCase(line, "Set-Cookie:");
    std::string rest = line;
    if (name != std::string::npos)
        rest.erase(name, std::string_view("Set-Cookie:").size());
    return trimmed(rest);
}

std::string cookieName(std::string_view item)
{
    const std::size_t eq = item.find('=');
    return trimmed(eq == std::string_view::npos ? item : item.substr(0, eq));
}

// Items of a cookie text; a trailing ";" yields an empty last item, which is not a cookie.
std::vector<std::string> cookieItems(std::string_view text)
{
    std::string tidy = trimmed(text);
    if (!tidy.empty() && tidy.back() == ';')
        tidy.push_back(' ');
    std::vector<std::string> items;
    if (tidy.empty())
        return items;
    for (std::string &item : splitAll(tidy, kCookieSeparator)) {
        if (!trimmed(item).empty())
            items.push_back(std::move(item));
    }
    return items;
}

bool isDeleted(std::string_view item)
{
    return item.size() >= kDeletedMark.size() &&
           item.substr(item.size() - kDeletedMark.size()) == kDeletedMark;
}

} // namespace

std::string normalizeHeaderBlock(std::string_view headers)
{
    std::vector<std::string> lines;
    for (const std::string &line : splitAll(headers, kCrLf)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        lines.push_back(normalizedName(std::string_view(line).substr(0, colon)) +
                        line.substr(colon));
    }
    return joined(lines, kCrLf);
}

std::string extractSetCookies(std::string_view rawHeaders)
{
    std::vector<std::string> pairs;
    for (const std::string &line : splitAll(rawHeaders, kCrLf)) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos && std::string_view(line).substr(0, colon) == "Set-Cookie")
            pairs.push_back(cookiePairOf(line));
    }
    return joined(pairs, kCookieSeparator);
}

std::string mergeCookieText(std::string_view sent, std::string_view received)
{
    std::vector<std::string> items = cookieItems(received);
    std::unordered_set<std::string> receivedNames;
    for (const std::string &item : items)
        receivedNames.insert(cookieName(item));
    for (std::string &item : cookieItems(sent)) {
        if (!receivedNames.contains(cookieName(item)))
            items.push_back(std::move(item));
    }
    std::vector<std::string> kept;
    std::unordered_set<std::string> seen;
    for (std::string &item : items) {
        if (!isDeleted(item) && seen.insert(item).second)
            kept.push_back(std::move(item));
    }
    return joined(kept, kCookieSeparator);
}

bool hasHeader(const std::vector<std::string> &lines, std::string_view name)
{
    return std::any_of(lines.begin(), lines.end(), [name](const std::string &line) {
        const std::size_t colon = line.find(':');
        return colon != std::string::npos &&
               toLowerAscii(trimmed(std::string_view(line).substr(0, colon))) == toLowerAscii(name);
    });
}

std::string_view withoutLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

} // namespace cloud
