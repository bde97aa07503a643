#include "net/CurlTransfer.h"

#include "net/HttpEngine.h"

#include "data/TextUtil.h"
#include "net/CurlShares.h"
#include "net/HeaderText.h"

#include <algorithm>

namespace cloud {

CurlTransfer::CurlTransfer(const TransferRequest &request, const HttpLimits &limits)
    : m_request(request), m_limits(limits)
{
    CurlShares &shares = CurlShares::instance();
    m_curl = curl_easy_init();
    if (m_curl)
        curl_easy_setopt(m_curl, CURLOPT_SHARE,
                         request.useCookieStore ? shares.cookieStore() : shares.dnsOnly());
}

CurlTransfer::~CurlTransfer()
{
    if (m_curl)
        curl_easy_cleanup(m_curl);
    curl_slist_free_all(m_headerList);
}

TransferResult CurlTransfer::run()
{
    if (!m_curl || !configure())
        return {};
    const CURLcode code = curl_easy_perform(m_curl);
    // A URL libcurl rejects before any reply is a request that could not be opened at all.
    m_result.started = code != CURLE_URL_MALFORMAT || m_progress.headerBytes() > 0;
    m_result.completed = code == CURLE_OK;
    // A reply cut short, over the limit or timed out is a failed exchange, not a short reply.
    if (!m_result.completed)
        m_result.body.clear();
    return std::move(m_result);
}

bool CurlTransfer::configure()
{
    if (curl_easy_setopt(m_curl, CURLOPT_URL, m_request.url.c_str()) != CURLE_OK)
        return false;
    configureMethod();
    configureHeaders();
    configureConnection();
    configureLimits();
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, bodyCallback);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, headerCallback);
    curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, this);
    return true;
}

void CurlTransfer::configureMethod()
{
    const HttpMethod method = m_request.method;
    const std::string *body = m_request.body;
    if (method == HttpMethod::Get) {
        curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
        return;
    }
    if (method == HttpMethod::Head) {
        // A HEAD reply has no body to read, so the request does not carry one either.
        curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
        return;
    }
    if (method != HttpMethod::Post) {
        curl_easy_setopt(m_curl, CURLOPT_CUSTOMREQUEST, verbOf(method));
        // The verb stays on redirects, so the body has to stay with it.
        curl_easy_setopt(m_curl, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
        if (!body || body->empty())
            return;
    }
    // POST always states its length (0 for an empty body); a POST redirected by
    // 301, 302 or 303 continues as a GET, as browsers do.
    curl_easy_setopt(m_curl, CURLOPT_POST, 1L);
    curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(body ? body->size() : 0));
    curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, body ? body->data() : "");
}

void CurlTransfer::configureHeaders()
{
    for (const std::string &line : m_request.headerLines)
        m_headerList = curl_slist_append(m_headerList, line.c_str());
    // libcurl's own additions are switched off so that only the caller's lines go out.
    if (!hasHeader(m_request.headerLines, "Accept"))
        m_headerList = curl_slist_append(m_headerList, "Accept:");
    if (!hasHeader(m_request.headerLines, "Content-Type"))
        m_headerList = curl_slist_append(m_headerList, "Content-Type:");
    m_headerList = curl_slist_append(m_headerList, "Expect:");
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headerList);
    if (!m_request.agent.empty())
        curl_easy_setopt(m_curl, CURLOPT_USERAGENT, m_request.agent.c_str());
    if (m_request.useCookieStore)
        curl_easy_setopt(m_curl, CURLOPT_COOKIEFILE, "");
}

void CurlTransfer::configureConnection()
{
    curl_easy_setopt(m_curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(m_curl, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(m_curl, CURLOPT_DISALLOW_USERNAME_IN_URL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, m_request.followRedirects ? 1L : 0L);
    curl_easy_setopt(m_curl, CURLOPT_MAXREDIRS, 20L);
    // An empty proxy means a direct connection; the environment's proxy settings never apply.
    curl_easy_setopt(m_curl, CURLOPT_PROXY, m_request.proxy.c_str());
    curl_easy_setopt(m_curl, CURLOPT_NOPROXY, "");
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!m_limits.caBundle.empty())
        curl_easy_setopt(m_curl, CURLOPT_CAINFO, m_limits.caBundle.c_str());
}

void CurlTransfer::configureLimits()
{
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_limits.connectTimeout.count()));
    // The stall check is ours: libcurl's low-speed check averages over several seconds and
    // so notices a stall that follows a burst of data only seconds late.
    m_progress.start();
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, progressCallback);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_curl, CURLOPT_TIMEOUT, static_cast<long>(m_limits.totalTime.count()));
}

std::size_t CurlTransfer::bodyCallback(char *data, std::size_t size, std::size_t count, void *self)
{
    auto *transfer = static_cast<CurlTransfer *>(self);
    const std::size_t bytes = size * count;
    std::string &body = transfer->m_result.body;
    if (body.size() + bytes > transfer->m_limits.maxBodyBytes)
        return 0; // over the limit: libcurl aborts the transfer
    body.append(data, bytes);
    return bytes;
}

std::size_t CurlTransfer::headerCallback(char *data, std::size_t size, std::size_t count,
                                         void *self)
{
    auto *transfer = static_cast<CurlTransfer *>(self);
    const std::size_t bytes = size * count;
    if (!transfer->m_progress.acceptHeaderBytes(bytes, transfer->m_limits.maxHeaderBytes))
        return 0;
    transfer->onHeaderLine(std::string_view(data, bytes));
    return bytes;
}

// Called often while bytes move and about once a second while nothing does.
int CurlTransfer::progressCallback(void *self, curl_off_t, curl_off_t downNow, curl_off_t,
                                   curl_off_t upNow)
{
    auto *transfer = static_cast<CurlTransfer *>(self);
    return transfer->m_progress.shouldStop(downNow, upNow, transfer->m_limits.stallTime) ? 1 : 0;
}

// Every reply (interim, redirect, proxy tunnel, final) starts with a status line; only
// the last one's block is kept. Lines after the block's end (trailers) are ignored.
void CurlTransfer::onHeaderLine(std::string_view line)
{
    const std::string_view text = withoutLineEnd(line);
    if (text.substr(0, 5) == "HTTP/") {
        m_result.rawHeaders.clear();
        m_result.body.clear();
        m_headerBlockDone = false;
    } else if (m_headerBlockDone) {
        return;
    }
    m_result.rawHeaders.append(text);
    m_result.rawHeaders.append("\r\n");
    if (text.empty())
        m_headerBlockDone = true;
}

} // namespace cloud
