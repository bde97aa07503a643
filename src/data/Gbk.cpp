#include "data/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace cloud {

namespace {

// Length of the UTF-8 sequence that starts with `lead`, 1 for a stray byte.
std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

// Length of the GBK character that starts with `lead`.
std::size_t gbkSequenceLength(unsigned char lead)
{
    return (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
}

class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts `input`; an unconvertible or invalid sequence is replaced by "?" and
    // skipped by the length `skip` gives for its first byte.
    template <typename SkipFn> std::string run(std::string_view input, SkipFn skip)
    {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return out;
        out.reserve(input.size() * 2 + 4);
        char *in = const_cast<char *>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char *dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated input): replace and step over.
            out.push_back('?');
            const std::size_t step = std::min(inLeft, skip(static_cast<unsigned char>(*in)));
            in += step;
            inLeft -= step;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string utf8ToGbk(std::string_view utf8)
{
    Converter converter("GBK", "UTF-8");
    return converter.run(utf8, utf8SequenceLength);
}

std::string gbkToUtf8(std::string_view gbk)
{
    Converter converter("UTF-8", "GBK");
    return converter.run(gbk, gbkSequenceLength);
}

std::string gbkTextToUtf8(std::string_view gbkBytes)
{
    const std::size_t nul = gbkBytes.find('\0');
    return gbkToUtf8(nul == std::string_view::npos ? gbkBytes : gbkBytes.substr(0, nul));
}

bool fitsGbk(std::string_view utf8)
{
    return gbkToUtf8(utf8ToGbk(utf8)) == utf8;
}

} // namespace cloud
