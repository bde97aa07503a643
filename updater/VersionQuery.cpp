#include "VersionQuery.h"

#include "data/Gbk.h"

#include <curl/curl.h>

namespace updater {

namespace {

constexpr std::size_t kMaxReply = 64 * 1024;

std::size_t collect(char *data, std::size_t size, std::size_t count, void *target)
{
    auto *reply = static_cast<std::string *>(target);
    const std::size_t bytes = size * count;
    if (reply->size() + bytes > kMaxReply)
        return 0; // a version is a few bytes; anything this long is not one
    reply->append(data, bytes);
    return bytes;
}

} // namespace

std::string fetchVersionText(const std::string &url)
{
    CURL *curl = curl_easy_init();
    if (!curl)
        return {};
    std::string reply;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (result != CURLE_OK || status >= 400)
        return {};
    return cloud::gbkTextToUtf8(reply);
}

} // namespace updater
