#include "net/ProgressWatch.h"

#include "data/Gbk.h"
#include "net/HttpEngine.h"

namespace cloud {

bool ProgressWatch::shouldStop(curl_off_t downNow, curl_off_t upNow,
                               std::chrono::steady_clock::duration stallLimit)
{
    if (HttpEngine::aborting())
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (downNow != m_downNow || upNow != m_upNow) {
        m_downNow = downNow;
        m_upNow = upNow;
        m_lastActivity = now;
        return false;
    }
    return now - m_lastActivity > stallLimit;
}

std::string wirePath(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : utf8ToGbk(path)) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 0x20 && c != 0x7F) {
            out.push_back(ch);
            continue;
        }
        out.push_back('%');
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 0x0F]);
    }
    return out;
}

} // namespace cloud
