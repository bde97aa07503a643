#pragma once

#include "net/ProgressWatch.h"

#include "net/HttpEngine.h"

#include <curl/curl.h>

#include <chrono>
#include <string>
#include <vector>

namespace cloud {

// What goes on the wire, already in wire bytes (GBK).
struct TransferRequest
{
    std::string url; // scheme, host, port and path exactly as requested
    HttpMethod method = HttpMethod::Get;
    std::string agent;
    std::vector<std::string> headerLines; // in the order they are sent
    const std::string *body = nullptr;    // nullptr: the request carries no body
    bool useCookieStore = true;
    bool followRedirects = true;
    std::string proxy; // proxy URL; empty for a direct connection
};

struct TransferResult
{
    bool started = false;   // false when the exchange could not even be set up
    bool completed = false; // the whole reply arrived within the limits
    std::string body;
    std::string rawHeaders; // the final reply's status line and headers, CR LF after each
};

// One libcurl exchange. Collects the body and the header block of the final reply
// (after redirects) and enforces the limits.
class CurlTransfer
{
public:
    CurlTransfer(const TransferRequest &request, const HttpLimits &limits);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer &) = delete;
    CurlTransfer &operator=(const CurlTransfer &) = delete;

    TransferResult run();

private:
    bool configure();
    void configureMethod();
    void configureHeaders();
    void configureConnection();
    void configureLimits();
    void onHeaderLine(std::string_view line);

    static std::size_t bodyCallback(char *data, std::size_t size, std::size_t count, void *self);
    static std::size_t headerCallback(char *data, std::size_t size, std::size_t count, void *self);
    static int progressCallback(void *self, curl_off_t downTotal, curl_off_t downNow,
                                curl_off_t upTotal, curl_off_t upNow);

    const TransferRequest &m_request;
    const HttpLimits &m_limits;
    CURL *m_curl = nullptr;
    curl_slist *m_headerList = nullptr;
    TransferResult m_result;
    bool m_headerBlockDone = false;
    ProgressWatch m_progress;
};

} // namespace cloud
