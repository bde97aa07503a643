#include "data/TextUtil.h"

#include <algorithm>
#include <limits>

namespace cloud {

namespace {

constexpr std::string_view kQuoteToken = "#引号";

std::string expandQuoteToken(std::string_view marker)
{
    return replaceAll(marker, kQuoteToken, "\"");
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findIn(std::string_view text, std::string_view needle, std::size_t from, bool noCase)
{
    return noCase ? findNoCase(text, needle, from) : text.find(needle, from);
}

} // namespace

std::string textBetween(std::string_view text, std::string_view left, std::string_view right,
                        std::size_t start, bool caseInsensitive)
{
    const std::string l = expandQuoteToken(left);
    const std::string r = expandQuoteToken(right);
    if (l.empty() || r.empty() || start == 0 || start > text.size())
        return {};
    const std::size_t lpos = findIn(text, l, start - 1, caseInsensitive);
    if (lpos == std::string_view::npos)
        return {};
    const std::size_t from = lpos + l.size();
    const std::size_t rpos = findIn(text, r, from, caseInsensitive);
    if (rpos == std::string_view::npos)
        return {};
    return std::string(text.substr(from, rpos - from));
}

std::string textBefore(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return {};
    const std::size_t pos = text.find(separator);
    return pos == std::string_view::npos ? std::string() : std::string(text.substr(0, pos));
}

std::string textAfter(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return {};
    const std::size_t pos = text.rfind(separator);
    return pos == std::string_view::npos ? std::string()
                                         : std::string(text.substr(pos + separator.size()));
}

std::int64_t integerValue(std::string_view text)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        const int digit = c - '0';
        if (value > (kMax - digit) / 10)
            return kMax;
        value = value * 10 + digit;
    }
    return value;
}

bool flagIsSet(std::string_view text)
{
    return integerValue(text) == 1;
}

std::string trimmed(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty())
        return from <= haystack.size() ? from : std::string_view::npos;
    if (from >= haystack.size() || needle.size() > haystack.size() - from)
        return std::string_view::npos;
    auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(),
                          needle.begin(), needle.end(),
                          [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return it == haystack.end() ? std::string_view::npos
                                : static_cast<std::size_t>(it - haystack.begin());
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace cloud
