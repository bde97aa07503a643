#include "VersionQuery.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "net/HttpEngine.h"

namespace updater {

namespace {

// A version is a few bytes; anything longer is not one.
constexpr std::size_t kMaxReply = 64 * 1024;

// The code of the status line that opens the reply's header block; 0 when there is none.
long statusOf(const std::string &headers)
{
    const std::size_t space = headers.find(' ');
    if (!headers.starts_with("HTTP/") || space == std::string::npos)
        return 0;
    return static_cast<long>(cloud::integerValue(headers.substr(space + 1)));
}

} // namespace

std::string fetchVersionText(const std::string &url)
{
    // The address comes from a settings file; only web addresses are asked.
    if (!url.starts_with("http://") && !url.starts_with("https://"))
        return {};
    std::string headers;
    const std::string reply =
        cloud::HttpEngine::fetch({.url = url, .responseHeadersOut = &headers});
    const long status = statusOf(headers);
    if (status < 200 || status >= 400 || reply.size() > kMaxReply)
        return {};
    return cloud::gbkTextToUtf8(reply);
}

} // namespace updater
