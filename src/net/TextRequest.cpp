#include "net/TextRequest.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "net/CurlShares.h"
#include "net/HeaderText.h"
#include "net/ProgressWatch.h"
#include "net/ReplyCharset.h"
#include "net/TextRequestHeaders.h"

#include <algorithm>
#include <memory>

namespace cloud {

namespace {

constexpr int kDefaultTimeoutSeconds = 30;
constexpr long kMaxRedirects = 10;

HttpMethod validMethod(std::optional<HttpMethod> method)
{
    const int code = static_cast<int>(method.value_or(HttpMethod::Get));
    return (code < 0 || code > 7) ? HttpMethod::Get : static_cast<HttpMethod>(code);
}

bool offersHttp()
{
    const curl_version_info_data *info = curl_version_info(CURLVERSION_NOW);
    if (!info || !info->protocols)
        return false;
    for (const char *const *name = info->protocols; *name; ++name) {
        if (std::string_view(*name) == "http")
            return true;
    }
    return false;
}

struct UrlDeleter
{
    void operator()(CURLU *url) const { curl_url_cleanup(url); }
};

std::string urlPart(CURLU *url, CURLUPart part, unsigned flags = 0)
{
    char *text = nullptr;
    if (curl_url_get(url, part, &text, flags) != CURLUE_OK || !text)
        return {};
    std::string out(text);
    curl_free(text);
    return out;
}

// "200 OK" of "HTTP/1.1 200 OK": the status line after the protocol.
std::string statusTextOf(std::string_view rawHeaders)
{
    const std::string_view line = rawHeaders.substr(0, rawHeaders.find("\r\n"));
    const std::size_t space = line.find(' ');
    return space == std::string_view::npos ? std::string() : std::string(line.substr(space + 1));
}

// The target of the last "Location: " line (spelled exactly so).
std::optional<std::string> locationOf(std::string_view rawHeaders)
{
    constexpr std::string_view kLocation = "Location: ";
    std::optional<std::string> location;
    std::size_t start = 0;
    while (start < rawHeaders.size()) {
        std::size_t end = rawHeaders.find("\r\n", start);
        if (end == std::string_view::npos)
            end = rawHeaders.size();
        const std::string_view line = rawHeaders.substr(start, end - start);
        if (line.starts_with(kLocation))
            location = std::string(line.substr(kLocation.size()));
        start = end + 2;
    }
    return location;
}

int statusCodeOf(std::string_view rawHeaders)
{
    return static_cast<int>(integerValue(statusTextOf(rawHeaders)));
}

} // namespace

TextRequest::TextRequest(const FetchTextArgs &args)
    : m_args(args), m_limits(HttpEngine::limits()), m_method(validMethod(args.method)),
      m_timeout(timeoutFor(args.timeoutSeconds))
{
    const std::string bodyBytes = args.bodyBytes.value_or("");
    m_body = bodyBytes.empty() ? utf8ToGbk(args.body.value_or("")) : bodyBytes;
}

TextRequest::~TextRequest()
{
    if (m_curl)
        curl_easy_cleanup(m_curl);
    curl_slist_free_all(m_headerList);
}

std::chrono::milliseconds TextRequest::timeoutFor(std::optional<int> seconds)
{
    const int given = seconds.value_or(0);
    return std::chrono::seconds(given > 0 ? given : kDefaultTimeoutSeconds);
}

std::string TextRequest::run()
{
    if (!offersHttp())
        return fail(kNoHttpSupport);
    if (!splitUrl())
        return fail(kBadUrl);
    if (!openSession())
        return fail(kNoSession);
    if (!setTimeouts())
        return fail(kNoTimeouts);
    if (!connectTo())
        return fail(kNoConnection);
    if (!openRequest())
        return fail(kNoRequest);
    if (!setCredentials())
        return fail(kNoCredentials);
    if (!setCertificateChecks())
        return fail(kNoCertificateChecks);
    if (!keepCookiesToItself())
        return fail(kNoCookieSwitch);
    if (!setRedirects())
        return fail(kNoRedirectSwitch);
    if (!addHeaders())
        return fail(kBadHeaders);
    return exchange();
}

std::string TextRequest::fail(std::string_view message)
{
    if (m_args.statusOut)
        *m_args.statusOut = std::string(message);
    return {};
}

// Only http and https URLs with a host split. User names and passwords written into the
// URL are not used: credentials travel only as the arguments that name them.
bool TextRequest::splitUrl()
{
    std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, m_args.url.c_str(),
                             CURLU_ALLOW_SPACE | CURLU_PATH_AS_IS) != CURLUE_OK)
        return false;
    const std::string scheme = urlPart(url.get(), CURLUPART_SCHEME);
    const std::string host = urlPart(url.get(), CURLUPART_HOST);
    const std::string port = urlPart(url.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if ((scheme != "http" && scheme != "https") || host.empty() || port.empty())
        return false;
    std::string path = urlPart(url.get(), CURLUPART_PATH);
    if (path.empty())
        path = "/";
    const std::string query = urlPart(url.get(), CURLUPART_QUERY);
    if (!query.empty())
        path += "?" + query;
    m_url = scheme + "://" + host + ":" + port + wirePath(path);
    return true;
}

// The session: a handle, and the proxy (an HTTP proxy, which https requests tunnel
// through). No proxy means a direct connection; the environment's settings never apply.
bool TextRequest::openSession()
{
    m_curl = curl_easy_init();
    if (!m_curl)
        return false;
    std::string proxy = m_args.proxy.value_or("");
    if (!proxy.empty() && toLowerAscii(proxy.substr(0, 7)) != "http://")
        proxy = "http://" + proxy;
    return curl_easy_setopt(m_curl, CURLOPT_PROXY, proxy.c_str()) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_NOPROXY, "") == CURLE_OK;
}

// Connecting may take the time-out; so may each wait for the server (see progressCallback).
// However steadily a reply trickles, the exchange ends after the engine's total limit.
bool TextRequest::setTimeouts()
{
    const auto total = std::max<std::chrono::milliseconds>(m_timeout, m_limits.totalTime);
    return curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS,
                            static_cast<long>(m_timeout.count())) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_TIMEOUT_MS, static_cast<long>(total.count())) ==
               CURLE_OK;
}

bool TextRequest::connectTo()
{
    return curl_easy_setopt(m_curl, CURLOPT_URL, m_url.c_str()) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_PATH_AS_IS, 1L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_HTTP_VERSION,
                            static_cast<long>(CURL_HTTP_VERSION_1_1)) == CURLE_OK;
}

// The verb and its body. POST always states its length (0 for an empty body); HEAD
// sends none; the other verbs carry the body when there is one.
bool TextRequest::openRequest()
{
    if (m_method == HttpMethod::Head)
        return curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L) == CURLE_OK;
    if (m_method == HttpMethod::Get && m_body.empty())
        return curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L) == CURLE_OK;
    if (m_method != HttpMethod::Post &&
        (curl_easy_setopt(m_curl, CURLOPT_CUSTOMREQUEST, verbOf(m_method)) != CURLE_OK ||
         curl_easy_setopt(m_curl, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL)) !=
             CURLE_OK))
        return false;
    if (m_method != HttpMethod::Post && m_body.empty())
        return true;
    return curl_easy_setopt(m_curl, CURLOPT_POST, 1L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE,
                            static_cast<curl_off_t>(m_body.size())) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, m_body.data()) == CURLE_OK;
}

// Basic credentials, for the server and for the proxy, each only when both halves are given.
bool TextRequest::setCredentials()
{
    const std::string user = utf8ToGbk(m_args.serverUser.value_or(""));
    const std::string password = utf8ToGbk(m_args.serverPassword.value_or(""));
    if (!user.empty() && !password.empty() &&
        (curl_easy_setopt(m_curl, CURLOPT_USERNAME, user.c_str()) != CURLE_OK ||
         curl_easy_setopt(m_curl, CURLOPT_PASSWORD, password.c_str()) != CURLE_OK ||
         curl_easy_setopt(m_curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC) != CURLE_OK))
        return false;
    const std::string proxyUser = utf8ToGbk(m_args.proxyUser.value_or(""));
    const std::string proxyPassword = utf8ToGbk(m_args.proxyPassword.value_or(""));
    return proxyUser.empty() || proxyPassword.empty() ||
           (curl_easy_setopt(m_curl, CURLOPT_PROXYUSERNAME, proxyUser.c_str()) == CURLE_OK &&
            curl_easy_setopt(m_curl, CURLOPT_PROXYPASSWORD, proxyPassword.c_str()) == CURLE_OK &&
            curl_easy_setopt(m_curl, CURLOPT_PROXYAUTH, CURLAUTH_BASIC) == CURLE_OK);
}

bool TextRequest::setCertificateChecks()
{
    if (curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L) != CURLE_OK ||
        curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L) != CURLE_OK)
        return false;
    return m_limits.caBundle.empty() ||
           curl_easy_setopt(m_curl, CURLOPT_CAINFO, m_limits.caBundle.c_str()) == CURLE_OK;
}

// The handle shares only the DNS cache. Its cookie engine stays off: the cookies it sends
// are the ones it is given, and those it receives go back to the caller only.
bool TextRequest::keepCookiesToItself()
{
    CURLSH *dnsOnly = CurlShares::instance().dnsOnly();
    return !dnsOnly || curl_easy_setopt(m_curl, CURLOPT_SHARE, dnsOnly) == CURLE_OK;
}

bool TextRequest::setRedirects()
{
    const bool follow = !m_args.noRedirect.value_or(false);
    return curl_easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
}

bool TextRequest::bodyIsSent() const
{
    return m_method == HttpMethod::Post || (m_method != HttpMethod::Head && !m_body.empty());
}

bool TextRequest::addHeaders()
{
    const std::string text = TextRequestHeaders::compose(
        m_args.headers.value_or(""), m_args.cookies.value_or(""), m_method,
        m_args.completeHeaders.value_or(true), m_args.normalizeHeaderNames.value_or(true));
    std::vector<std::string> lines;
    if (!TextRequestHeaders::toWireLines(
            text, bodyIsSent() ? std::optional(m_body.size()) : std::nullopt, lines))
        return false;
    // libcurl's own additions are switched off so that only these lines go out.
    for (std::string_view own : {"Accept", "Content-Type", "Expect"}) {
        if (!hasHeader(lines, own))
            lines.push_back(std::string(own) + ":");
    }
    for (const std::string &line : lines) {
        curl_slist *longer = curl_slist_append(m_headerList, line.c_str());
        if (!longer)
            return false;
        m_headerList = longer;
    }
    return curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headerList) == CURLE_OK;
}

std::string TextRequest::exchange()
{
    if (HttpEngine::aborting())
        return fail(kSendFailed);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, bodyCallback);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, headerCallback);
    curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, progressCallback);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    m_progress.start();
    if (curl_easy_perform(m_curl) != CURLE_OK) {
        if (!finalHeadersArrived())
            return fail(requestWasSent() ? kNoResponse : kSendFailed);
        // The reply's head arrived but its body did not, or not all of it.
        m_readFailed = true;
    }
    return finish();
}

bool TextRequest::requestWasSent() const
{
    long requestSize = 0;
    curl_off_t uploaded = 0;
    curl_easy_getinfo(m_curl, CURLINFO_REQUEST_SIZE, &requestSize);
    curl_easy_getinfo(m_curl, CURLINFO_SIZE_UPLOAD_T, &uploaded);
    return requestSize > 0 && (!bodyIsSent() || uploaded >= static_cast<curl_off_t>(m_body.size()));
}

// A complete head that is neither an interim reply nor a redirect about to be followed.
bool TextRequest::finalHeadersArrived() const
{
    if (!m_headerBlockDone)
        return false;
    const int status = statusCodeOf(m_rawHeaders);
    const bool followed = !m_args.noRedirect.value_or(false) && status >= 300 && status < 400 &&
                          findNoCase(m_rawHeaders, "\r\nLocation:") != std::string::npos;
    return status >= 200 && !followed;
}

// The reply's head, cookies and body for the caller. A body cut short keeps its bytes in
// `replyBytesOut` but is reported as the failure it is, never as the reply's status.
std::string TextRequest::finish()
{
    const std::string rawHeaders = gbkTextToUtf8(m_rawHeaders);
    if (m_args.responseHeadersOut)
        *m_args.responseHeadersOut = rawHeaders;
    if (m_args.statusOut)
        *m_args.statusOut = m_readFailed ? std::string(kReadFailed) : statusTextOf(rawHeaders);
    if (m_args.locationOut)
        *m_args.locationOut = locationOf(rawHeaders).value_or("");
    if (m_args.cookiesOut) {
        std::string received = extractSetCookies(rawHeaders);
        while (received.ends_with("; "))
            received.resize(received.size() - 2);
        const std::string sent = m_args.cookies.value_or("");
        if (m_args.mergeCookies.value_or(true) && !sent.empty())
            received = mergeCookieText(sent, received);
        *m_args.cookiesOut = std::move(received);
    }
    if (m_args.replyBytesOut)
        *m_args.replyBytesOut = m_reply;
    if (m_readFailed)
        return {};
    std::string text = gbkTextToUtf8(m_reply);
    const std::string charset = ReplyCharset::declared(text);
    if (charset.empty())
        return text;
    return ReplyCharset::decode(m_reply, charset).value_or(std::move(text));
}

std::size_t TextRequest::bodyCallback(char *data, std::size_t size, std::size_t count, void *self)
{
    auto *request = static_cast<TextRequest *>(self);
    const std::size_t bytes = size * count;
    if (request->m_reply.size() + bytes > request->m_limits.maxBodyBytes)
        return 0; // over the limit: libcurl ends the exchange
    request->m_reply.append(data, bytes);
    return bytes;
}

std::size_t TextRequest::headerCallback(char *data, std::size_t size, std::size_t count, void *self)
{
    auto *request = static_cast<TextRequest *>(self);
    const std::size_t bytes = size * count;
    if (!request->m_progress.acceptHeaderBytes(bytes, request->m_limits.maxHeaderBytes))
        return 0;
    request->onHeaderLine(std::string_view(data, bytes));
    return bytes;
}

// Called often while bytes move and about once a second while nothing does. Waiting for
// the server, in any phase, may take the time-out and no longer.
int TextRequest::progressCallback(void *self, curl_off_t, curl_off_t downNow, curl_off_t,
                                  curl_off_t upNow)
{
    auto *request = static_cast<TextRequest *>(self);
    return request->m_progress.shouldStop(downNow, upNow, request->m_timeout) ? 1 : 0;
}

// Every reply (interim, redirect, proxy tunnel, final) starts with a status line; only
// the last one's head is kept, and its body.
void TextRequest::onHeaderLine(std::string_view line)
{
    const std::string_view text = withoutLineEnd(line);
    if (text.substr(0, 5) == "HTTP/") {
        m_rawHeaders.clear();
        m_reply.clear();
        m_headerBlockDone = false;
    } else if (m_headerBlockDone) {
        return;
    }
    m_rawHeaders.append(text);
    m_rawHeaders.append("\r\n");
    if (text.empty())
        m_headerBlockDone = true;
}

} // namespace cloud
