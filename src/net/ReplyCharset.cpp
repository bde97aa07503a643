#include "net/ReplyCharset.h"

#include "data/TextUtil.h"

#include <cerrno>
#include <iconv.h>

namespace cloud::ReplyCharset {

namespace {

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isNameByte(char c)
{
    return isWordByte(c) || c == '-';
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Bytes of the first `count` characters of a UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(text[i]) && seen++ == count)
            return text.substr(0, i);
    }
    return text;
}

// Bytes of the UTF-8 character at `at` (1 for a stray byte).
std::size_t characterLength(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && isContinuationByte(text[end]))
        ++end;
    return end - at;
}

std::size_t nameEnd(std::string_view text, std::size_t from)
{
    while (from < text.size() && isNameByte(text[from]))
        ++from;
    return from;
}

// The name at `at`, right after "charset=": after one optional non-word character when
// a name follows it, else right here (a leading "-" is part of a name).
std::string nameAt(std::string_view text, std::size_t at)
{
    if (at < text.size() && !isWordByte(text[at])) {
        const std::size_t start = at + characterLength(text, at);
        const std::size_t end = nameEnd(text, start);
        if (end > start)
            return std::string(text.substr(start, end - start));
    }
    return std::string(text.substr(at, nameEnd(text, at) - at));
}

constexpr std::string_view kMeta = "<meta";
constexpr std::string_view kCharset = "charset=";

} // namespace

std::string declared(std::string_view text)
{
    const std::string_view head = firstCharacters(text, kSearchedCharacters);
    const std::string lower = toLowerAscii(head);
    for (std::size_t meta = lower.find(kMeta); meta != std::string::npos;
         meta = lower.find(kMeta, meta + 1)) {
        // Between "<meta" and "charset=" lies at least one character and no line feed.
        const std::size_t lineEnd = lower.find('\n', meta + kMeta.size());
        for (std::size_t at = lower.find(kCharset, meta + kMeta.size() + 1);
             at != std::string::npos && at < lineEnd; at = lower.find(kCharset, at + 1)) {
            std::string name = nameAt(head, at + kCharset.size());
            if (!name.empty())
                return name;
        }
    }
    return {};
}

std::optional<std::string> decode(std::string_view bytes, const std::string &charset)
{
    const iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char *dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // Not valid in the charset, or cut short at the end: one "?" per byte.
        out.push_back('?');
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // A charset with shift states may still owe the bytes that end the last one.
    char *dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<std::size_t>(-1))
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
    iconv_close(cd);
    if (out.starts_with("\xEF\xBB\xBF"))
        out.erase(0, 3);
    const std::size_t nul = out.find('\0');
    return nul == std::string::npos ? out : out.substr(0, nul);
}

} // namespace cloud::ReplyCharset
