#include "net/HttpEngine.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "net/CurlTransfer.h"
#include "net/HeaderText.h"
#include "net/ProgressWatch.h"
#include "net/TextRequest.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace cloud {

namespace {

constexpr std::string_view kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr std::string_view kCrLf = "\r\n";

std::mutex g_limitsMutex;
HttpLimits g_limits;

HttpMethod validMethod(std::optional<HttpMethod> method)
{
    const int code = static_cast<int>(method.value_or(HttpMethod::Get));
    return (code < 0 || code > 7) ? HttpMethod::Get : static_cast<HttpMethod>(code);
}

bool isSecure(std::string_view url)
{
    return toLowerAscii(url.substr(0, 8)) == "https://";
}

// The agent named by a "User-Agent:" line (its name matched in any letter case); the
// default agent when there is none.
std::string agentOf(const std::string &headerText)
{
    const std::size_t name = findNoCase(headerText, "User-Agent:");
    if (name == std::string::npos)
        return std::string(kDefaultAgent);
    const std::size_t from = name + std::string_view("User-Agent:").size();
    return trimmed(std::string_view(headerText).substr(from, headerText.find(kCrLf, from) - from));
}

std::string completedHeaders(std::string text, const std::string &url, HttpMethod method)
{
    if (text.empty())
        text = "Accept: */*";
    if (findNoCase(text, "Accept:") == std::string::npos)
        text += "\r\nAccept: */*";
    if (text.find("Referer:") == std::string::npos)
        text += "\r\nReferer: " + url;
    if (text.find("Accept-Language:") == std::string::npos)
        text += "\r\nAccept-Language: zh-cn";
    if (method == HttpMethod::Post && text.find("Content-Type:") == std::string::npos)
        text += "\r\nContent-Type: application/x-www-form-urlencoded";
    return text;
}

std::string withCookieLine(std::string text, const std::string &cookies)
{
    if (cookies.empty())
        return text;
    text += cookies.find("Cookie:") != std::string::npos ? "\r\n" : "\r\nCookie: ";
    text += cookies;
    return text;
}

// A stray CR or LF inside a line would start a header line of its own on the wire.
std::string withoutBreaks(std::string line)
{
    for (char &c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

std::vector<std::string> wireLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(kCrLf, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            lines.push_back(utf8ToGbk(withoutBreaks(std::string(text.substr(start, end - start)))));
        start = end + kCrLf.size();
    }
    return lines;
}

// An HTTP proxy serves both schemes; https requests go through a tunnel it opens.
std::string proxyUrl(const FetchPageArgs &args)
{
    const std::string proxy = args.proxy.value_or("");
    if (proxy.empty())
        return {};
    return (args.socksProxy.value_or(false) ? "socks5://" : "http://") + proxy;
}

// A host name that the URL splitting left with URL syntax in it ("h?q=1", "user@h") would
// make the request go somewhere else than named.
bool isUsableHost(std::string_view host)
{
    return !host.empty() && std::none_of(host.begin(), host.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c <= 0x20 || c == 0x7F ||
               std::string_view("/?#@\\[]").find(ch) != std::string_view::npos;
    });
}

// The request line, headers and body as they go on the wire; false when the URL does
// not name a host and port that can be connected to.
bool buildRequest(const FetchPageArgs &args, TransferRequest &request)
{
    const std::string host = HttpEngine::hostOfUrl(args.url);
    const int port = HttpEngine::portOfUrl(args.url);
    if (!isUsableHost(host) || port < 1 || port > 65535)
        return false;
    request.url = (isSecure(args.url) ? "https://" : "http://") + host + ":" +
                  std::to_string(port) + wirePath(HttpEngine::pathOfUrl(args.url));
    request.method = validMethod(args.method);
    request.useCookieStore = !args.cookies.has_value();
    request.followRedirects = !args.noRedirect.value_or(false);
    request.proxy = proxyUrl(args);

    std::string text = args.headers.value_or("");
    if (args.normalizeHeaderNames.value_or(true))
        text = normalizeHeaderBlock(text);
    request.agent = utf8ToGbk(withoutBreaks(agentOf(text)));
    if (args.completeHeaders.value_or(true))
        text = completedHeaders(std::move(text), args.url, request.method);
    text = withCookieLine(std::move(text), args.cookies.value_or(""));
    request.headerLines = wireLines(text);
    return true;
}

} // namespace

std::string
HttpEngine::fetchPage(const std::string &url, std::optional<HttpMethod> method,
                      std::optional<std::string> body, std::optional<std::string> cookies,
                      std::string *cookiesOut, std::optional<std::string> headers,
                      std::string *responseHeadersOut, std::optional<bool> noRedirect,
                      std::string *bodyBytes, std::optional<std::string> proxy,
                      std::optional<bool> mergeCookies, std::optional<bool> completeHeaders,
                      std::optional<bool> normalizeHeaderNames, std::optional<bool> socksProxy)
{
    return fetch(FetchPageArgs{url, method, std::move(body), std::move(cookies), cookiesOut,
                               std::move(headers), responseHeadersOut, noRedirect, bodyBytes,
                               std::move(proxy), mergeCookies, completeHeaders,
                               normalizeHeaderNames, socksProxy});
}

std::string HttpEngine::fetch(const FetchPageArgs &args)
{
    TransferRequest request;
    if (aborting() || !buildRequest(args, request))
        return {};
    // Every verb but GET carries the body bytes, made from the body text when empty.
    std::string ownBody;
    std::string &bodyBytes = args.bodyBytes ? *args.bodyBytes : ownBody;
    std::string sendBody = bodyBytes.empty() ? utf8ToGbk(args.body.value_or("")) : bodyBytes;
    if (request.method != HttpMethod::Get && request.method != HttpMethod::Head)
        request.body = &sendBody;

    TransferResult result = CurlTransfer(request, limits()).run();
    if (!result.started)
        return {};
    if (request.method != HttpMethod::Get && bodyBytes.empty())
        bodyBytes = std::move(sendBody);

    const std::string rawHeaders = gbkTextToUtf8(result.rawHeaders);
    std::string received = extractSetCookies(rawHeaders);
    if (args.mergeCookies.value_or(true) && args.cookies)
        received = mergeCookieText(*args.cookies, received);
    if (args.responseHeadersOut)
        *args.responseHeadersOut = rawHeaders;
    if (args.cookiesOut)
        *args.cookiesOut = std::move(received);
    return std::move(result.body);
}

std::string HttpEngine::fetchText(
    const std::string &url, std::optional<HttpMethod> method, std::optional<std::string> body,
    std::optional<std::string> cookies, std::string *cookiesOut, std::optional<std::string> headers,
    std::string *responseHeadersOut, std::optional<bool> noRedirect,
    std::optional<std::string> serverUser, std::optional<std::string> serverPassword,
    std::optional<std::string> proxy, std::optional<std::string> proxyUser,
    std::optional<std::string> proxyPassword, std::optional<int> timeoutSeconds,
    std::string *locationOut, std::string *statusOut, std::string *replyBytesOut,
    std::optional<bool> mergeCookies, std::optional<bool> completeHeaders,
    std::optional<std::string> bodyBytes, std::optional<bool> normalizeHeaderNames)
{
    return fetchTextWith(FetchTextArgs{url,
                                       method,
                                       std::move(body),
                                       std::move(cookies),
                                       cookiesOut,
                                       std::move(headers),
                                       responseHeadersOut,
                                       noRedirect,
                                       std::move(serverUser),
                                       std::move(serverPassword),
                                       std::move(proxy),
                                       std::move(proxyUser),
                                       std::move(proxyPassword),
                                       timeoutSeconds,
                                       locationOut,
                                       statusOut,
                                       replyBytesOut,
                                       mergeCookies,
                                       completeHeaders,
                                       std::move(bodyBytes),
                                       normalizeHeaderNames});
}

std::string HttpEngine::fetchTextWith(const FetchTextArgs &args)
{
    return TextRequest(args).run();
}

std::string HttpEngine::hostOfUrl(std::string_view url, bool keepPort)
{
    std::string lower = toLowerAscii(url);
    if (lower.empty() || lower.back() != '/')
        lower.push_back('/');
    std::string host;
    if (lower.starts_with("https://")) {
        host = textBetween(lower, "https://", "/");
    } else {
        if (lower.find("http://") == std::string::npos)
            lower.insert(0, "http://");
        host = textBetween(lower, "http://", "/");
    }
    if (!keepPort) {
        const std::size_t colon = host.find(':');
        if (colon != std::string::npos)
            host.erase(colon);
    }
    return host;
}

int HttpEngine::portOfUrl(std::string_view url)
{
    const std::string host = hostOfUrl(url, true);
    if (host.find(':') == std::string::npos)
        return toLowerAscii(url.substr(0, 5)) == "https" ? 443 : 80;
    const std::int64_t port = integerValue(textAfter(host, ":"));
    return port > 65535 ? 65536 : static_cast<int>(port);
}

std::string HttpEngine::pathOfUrl(std::string_view url)
{
    // The host is looked for after the scheme, so that a host such as "t" or "ps" is
    // not found inside "https" itself.
    const std::size_t scheme = url.find("://");
    const std::size_t searchFrom = scheme == std::string_view::npos ? 0 : scheme + 3;
    const std::size_t host = findNoCase(url, hostOfUrl(url), searchFrom);
    const std::size_t slash =
        host == std::string_view::npos ? std::string_view::npos : url.find('/', host);
    return slash == std::string_view::npos ? std::string("/") : std::string(url.substr(slash));
}

HttpLimits HttpEngine::limits()
{
    std::lock_guard lock(g_limitsMutex);
    return g_limits;
}

void HttpEngine::setLimits(const HttpLimits &limits)
{
    std::lock_guard lock(g_limitsMutex);
    g_limits = limits;
}

namespace {
std::atomic<bool> g_aborting{false};
} // namespace

void HttpEngine::abortAll()
{
    g_aborting = true;
}

bool HttpEngine::aborting()
{
    return g_aborting;
}

} // namespace cloud
