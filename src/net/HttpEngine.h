#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// Request verbs by their codes; a code outside 0..7 is sent as GET.
enum class HttpMethod : int {
    Get = 0,
    Post = 1,
    Head = 2,
    Put = 3,
    Options = 4,
    Delete = 5,
    Trace = 6,
    Connect = 7,
};

// The verb as it stands in the request line; `method` is one of the eight above.
inline const char *verbOf(HttpMethod method)
{
    static constexpr const char *kVerbs[] = {"GET",     "POST",   "HEAD",  "PUT",
                                             "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    return kVerbs[static_cast<int>(method)];
}

// The arguments of HttpEngine::fetchPage by name. An empty optional (or a null pointer)
// is an argument that was not supplied, which differs from one supplied empty.
struct FetchPageArgs
{
    std::string url{};
    std::optional<HttpMethod> method{};
    std::optional<std::string> body{};
    std::optional<std::string> cookies{};
    std::string *cookiesOut = nullptr;
    std::optional<std::string> headers{};
    std::string *responseHeadersOut = nullptr;
    std::optional<bool> noRedirect{};
    std::string *bodyBytes = nullptr;
    std::optional<std::string> proxy{};
    std::optional<bool> mergeCookies{};
    std::optional<bool> completeHeaders{};
    std::optional<bool> normalizeHeaderNames{};
    std::optional<bool> socksProxy{};
};

// The arguments of HttpEngine::fetchText by name, with the same convention: an empty
// optional or a null pointer is an argument that was not supplied.
struct FetchTextArgs
{
    std::string url{};
    std::optional<HttpMethod> method{};
    std::optional<std::string> body{};
    std::optional<std::string> cookies{};
    std::string *cookiesOut = nullptr;
    std::optional<std::string> headers{};
    std::string *responseHeadersOut = nullptr;
    std::optional<bool> noRedirect{};
    std::optional<std::string> serverUser{};
    std::optional<std::string> serverPassword{};
    std::optional<std::string> proxy{};
    std::optional<std::string> proxyUser{};
    std::optional<std::string> proxyPassword{};
    std::optional<int> timeoutSeconds{};
    std::string *locationOut = nullptr;
    std::string *statusOut = nullptr;
    std::string *replyBytesOut = nullptr;
    std::optional<bool> mergeCookies{};
    std::optional<bool> completeHeaders{};
    std::optional<std::string> bodyBytes{};
    std::optional<bool> normalizeHeaderNames{};
};

// Bounds that keep a call from hanging or exhausting memory. Process-wide; tests shorten them.
struct HttpLimits
{
    std::chrono::milliseconds connectTimeout{10'000};
    // An exchange during which no byte moves in either direction for this long is abandoned.
    std::chrono::seconds stallTime{30};
    // No exchange, however steadily it trickles, takes longer than this.
    std::chrono::seconds totalTime{300};
    std::size_t maxBodyBytes = std::size_t{64} << 20;
    std::size_t maxHeaderBytes = std::size_t{1} << 20;
    // Certificate authorities to trust instead of the system's (empty: the system's).
    std::string caBundle;
};

// The one way the client talks HTTP: one synchronous HTTP/1.1 exchange per call on the
// calling thread, returning the whole reply body. Status codes are not judged here.
// Calls on different threads may overlap; the only shared state is the process-wide
// cookie store used by every call that supplies no `cookies`.
class HttpEngine
{
public:
    // Returns the reply body; empty when the exchange failed (no connection, time-out,
    // a reply cut short or larger than the body limit). Text arguments and out-texts
    // are UTF-8; they travel as GBK.
    static std::string
    fetchPage(const std::string &url, std::optional<HttpMethod> method = {},
              std::optional<std::string> body = {}, std::optional<std::string> cookies = {},
              std::string *cookiesOut = nullptr, std::optional<std::string> headers = {},
              std::string *responseHeadersOut = nullptr, std::optional<bool> noRedirect = {},
              std::string *bodyBytes = nullptr, std::optional<std::string> proxy = {},
              std::optional<bool> mergeCookies = {}, std::optional<bool> completeHeaders = {},
              std::optional<bool> normalizeHeaderNames = {}, std::optional<bool> socksProxy = {});
    // The same exchange with the arguments named (fetch({.url = u, .noRedirect = true})).
    static std::string fetch(const FetchPageArgs &args);

    // The secondary exchange, made by TextRequest: cookies only as supplied (never the
    // process-wide store), browser-like default header lines, and every failure named in
    // `statusOut` by a numbered message. Returns the reply as text, decoded by the charset
    // the page declares near its top; empty on any failure. Blocking, for workers.
    static std::string
    fetchText(const std::string &url, std::optional<HttpMethod> method = {},
              std::optional<std::string> body = {}, std::optional<std::string> cookies = {},
              std::string *cookiesOut = nullptr, std::optional<std::string> headers = {},
              std::string *responseHeadersOut = nullptr, std::optional<bool> noRedirect = {},
              std::optional<std::string> serverUser = {},
              std::optional<std::string> serverPassword = {}, std::optional<std::string> proxy = {},
              std::optional<std::string> proxyUser = {},
              std::optional<std::string> proxyPassword = {}, std::optional<int> timeoutSeconds = {},
              std::string *locationOut = nullptr, std::string *statusOut = nullptr,
              std::string *replyBytesOut = nullptr, std::optional<bool> mergeCookies = {},
              std::optional<bool> completeHeaders = {}, std::optional<std::string> bodyBytes = {},
              std::optional<bool> normalizeHeaderNames = {});
    // The same exchange with the arguments named (fetchTextWith({.url = u, .statusOut = &s})).
    static std::string fetchTextWith(const FetchTextArgs &args);

    // Lower-case host of a URL, without its port unless `keepPort`.
    static std::string hostOfUrl(std::string_view url, bool keepPort = false);
    // The explicit port, else 443 for "https" URLs and 80 for the rest.
    static int portOfUrl(std::string_view url);
    // The path and query after the host, letter case kept; "/" when there is none.
    static std::string pathOfUrl(std::string_view url);

    static HttpLimits limits();
    static void setLimits(const HttpLimits &limits);

    // Ends every exchange under way (within about a second) and makes later calls fail at
    // once. Called when the program ends so that no worker is left waiting on the network.
    static void abortAll();
    static bool aborting();
};

} // namespace cloud
