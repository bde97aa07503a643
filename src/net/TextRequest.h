#pragma once

#include "net/ProgressWatch.h"

#include "net/HttpEngine.h"

#include <curl/curl.h>

#include <chrono>
#include <string>
#include <string_view>

namespace cloud {

// One exchange of HttpEngine::fetchText on a libcurl handle of its own. It keeps to the
// cookies it is given: the process-wide cookie store of fetchPage is never attached, so
// a session cookie never travels with it. Steps run in a fixed order; the first that
// fails ends the exchange with its numbered message in `statusOut` and an empty result.
//
// Certificates of https servers are verified (against HttpLimits::caBundle when set);
// a server that cannot prove its name fails like an unreachable one.
class TextRequest
{
public:
    // The failure messages, each written where its step fails. (There is no 706.)
    static constexpr std::string_view kNoHttpSupport = "700 当前系统不支持WinHttp服务!";
    static constexpr std::string_view kBadUrl = "701 解析URL地址失败!";
    static constexpr std::string_view kNoSession = "702 创建WinHttp会话失败!";
    static constexpr std::string_view kNoConnection = "703 创建WinHttp连接失败!";
    static constexpr std::string_view kNoRequest = "704 创建WinHttp请求失败!";
    static constexpr std::string_view kNoTimeouts = "705 设置超时时间失败!";
    static constexpr std::string_view kNoCredentials = "707 设置代理凭证失败!";
    static constexpr std::string_view kNoCertificateChecks = "忽略错误/证书错误  失败！";
    static constexpr std::string_view kNoCookieSwitch = "708 禁止自动设置Cookies失败!";
    static constexpr std::string_view kNoRedirectSwitch = "709 重定向设置失败!";
    static constexpr std::string_view kBadHeaders = "710 设置协议头失败!";
    static constexpr std::string_view kSendFailed = "711 发送请求失败!";
    static constexpr std::string_view kNoResponse = "712 服务器未响应!";
    static constexpr std::string_view kReadFailed = "713 读取数据失败!";

    explicit TextRequest(const FetchTextArgs &args);
    ~TextRequest();
    TextRequest(const TextRequest &) = delete;
    TextRequest &operator=(const TextRequest &) = delete;

    std::string run();

    // How long each phase (connecting, sending, waiting, each wait for more of the
    // reply) may take: the seconds given, 30 when not supplied or 0 or less.
    static std::chrono::milliseconds timeoutFor(std::optional<int> seconds);

private:
    bool splitUrl();
    bool openSession();
    bool setTimeouts();
    bool connectTo();
    bool openRequest();
    bool setCredentials();
    bool setCertificateChecks();
    bool keepCookiesToItself();
    bool setRedirects();
    bool addHeaders();
    std::string exchange();
    std::string finish();
    std::string fail(std::string_view message);

    bool bodyIsSent() const;
    bool requestWasSent() const;
    bool finalHeadersArrived() const;
    void onHeaderLine(std::string_view line);

    static std::size_t bodyCallback(char *data, std::size_t size, std::size_t count, void *self);
    static std::size_t headerCallback(char *data, std::size_t size, std::size_t count, void *self);
    static int progressCallback(void *self, curl_off_t downTotal, curl_off_t downNow,
                                curl_off_t upTotal, curl_off_t upNow);

    const FetchTextArgs &m_args;
    const HttpLimits m_limits;
    const HttpMethod m_method;
    const std::chrono::milliseconds m_timeout;
    CURL *m_curl = nullptr;
    curl_slist *m_headerList = nullptr;
    std::string m_url;  // as it goes to libcurl: scheme, host, port, wire path
    std::string m_body; // the request body in wire bytes
    std::string m_reply;
    std::string m_rawHeaders; // the last reply's status line and headers
    bool m_headerBlockDone = false;
    bool m_readFailed = false;
    ProgressWatch m_progress;
};

} // namespace cloud
