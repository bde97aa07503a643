#include "net/HttpEngine.h"

#include "LoopbackServer.h"
#include "SelfSignedCert.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace cloud;

namespace {

const std::string kAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// A recorded request taken apart: request line, the header lines after Host, the body.
struct Sent
{
    std::string requestLine;
    std::string host;
    std::vector<std::string> lines;
    std::string body;
};

Sent parsed(const std::string &request)
{
    Sent sent;
    const std::size_t end = request.find("\r\n\r\n");
    const std::string head = request.substr(0, end);
    sent.body = end == std::string::npos ? "" : request.substr(end + 4);
    std::size_t start = 0;
    std::vector<std::string> all;
    while (start <= head.size()) {
        const std::size_t brk = std::min(head.find("\r\n", start), head.size());
        all.push_back(head.substr(start, brk - start));
        start = brk + 2;
    }
    sent.requestLine = all[0];
    sent.host = all.size() > 1 ? all[1] : "";
    sent.lines.assign(all.begin() + std::min<std::size_t>(2, all.size()), all.end());
    return sent;
}

// Serves by path: "/cookie/..." paths set a cookie scoped to their first segment,
// "/redir/moved" redirects, "/big/<n>" sends n bytes, and the rest answers "hello".
LoopbackServer::Reply route(const std::string &request)
{
    const std::string path = LoopbackServer::pathOf(request);
    if (path == "/redir/moved")
        return {LoopbackServer::reply(
            "302 Found", "Location: /redir/target\r\nSet-Cookie: hop=1\r\n", "moved-body")};
    if (path == "/redir/target")
        return {LoopbackServer::reply("200 OK", "", "target-body")};
    if (path.starts_with("/big/"))
        return {LoopbackServer::reply("200 OK", "", std::string(std::stoul(path.substr(5)), 'x'))};
    if (path == "/stall")
        return {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial", true};
    if (path == "/silent")
        return {"", true};
    if (path == "/lf")
        return {"HTTP/1.1 200 OK\nSet-Cookie: lf=1\nContent-Length: 2\n\nok"};
    const std::size_t set = path.find("/set?");
    if (set != std::string::npos) {
        const std::string cookie = path.substr(set + 5) + "; Path=" + path.substr(0, set);
        return {LoopbackServer::reply("200 OK", "Set-Cookie: " + cookie + "\r\n", "set")};
    }
    return {LoopbackServer::reply("200 OK", "", "hello")};
}

class HttpEngineTest : public ::testing::Test
{
protected:
    void TearDown() override { HttpEngine::setLimits(HttpLimits{}); }

    std::string cookieLineOf(const std::string &request)
    {
        for (const std::string &line : parsed(request).lines) {
            if (line.starts_with("Cookie:"))
                return line;
        }
        return "";
    }

    LoopbackServer server{route};
};

} // namespace

TEST_F(HttpEngineTest, OrdinaryGetAndPostGoOutExactly)
{
    const std::string port = std::to_string(server.port());
    const std::string getUrl = server.url("/plain?x=1&y=%41");
    EXPECT_EQ(HttpEngine::fetchPage(getUrl), "hello");
    EXPECT_EQ(server.lastRequest(), "GET /plain?x=1&y=%41 HTTP/1.1\r\n"
                                    "Host: 127.0.0.1:" +
                                        port + "\r\n" + kAgentLine +
                                        "\r\n"
                                        "Accept: */*\r\n"
                                        "Referer: " +
                                        getUrl +
                                        "\r\n"
                                        "Accept-Language: zh-cn\r\n"
                                        "\r\n");

    const std::string postUrl = server.url("/Form/Send");
    std::string bodyBytes;
    EXPECT_EQ(HttpEngine::fetchPage(postUrl, HttpMethod::Post, "a=1", {}, nullptr, {}, nullptr, {},
                                    &bodyBytes),
              "hello");
    EXPECT_EQ(bodyBytes, "a=1");
    EXPECT_EQ(server.lastRequest(), "POST /Form/Send HTTP/1.1\r\n"
                                    "Host: 127.0.0.1:" +
                                        port + "\r\n" + kAgentLine +
                                        "\r\n"
                                        "Accept: */*\r\n"
                                        "Referer: " +
                                        postUrl +
                                        "\r\n"
                                        "Accept-Language: zh-cn\r\n"
                                        "Content-Type: application/x-www-form-urlencoded\r\n"
                                        "Content-Length: 3\r\n"
                                        "\r\n"
                                        "a=1");
}

TEST_F(HttpEngineTest, RequestShapes)
{
    const std::string url = server.url("/shape");
    const std::string referer = "Referer: " + url;
    const std::string bigBody(2 << 20, 'b');
    const std::vector<std::string> completion = {"Accept: */*", referer, "Accept-Language: zh-cn"};
    const auto with = [&](std::vector<std::string> head, std::vector<std::string> tail) {
        head.insert(head.end(), completion.begin(), completion.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    struct Case
    {
        const char *what;
        FetchPageArgs args;
        std::string verb;
        std::vector<std::string> lines;
        std::string body;
    };
    const Case cases[] = {
        {"GET ignores the body",
         {.url = url, .method = HttpMethod::Get, .body = "a=1"},
         "GET",
         with({kAgentLine}, {}),
         ""},
        {"code 9 is GET",
         {.url = url, .method = static_cast<HttpMethod>(9), .body = "a=1"},
         "GET",
         with({kAgentLine}, {}),
         ""},
        {"code -1 is GET",
         {.url = url, .method = static_cast<HttpMethod>(-1)},
         "GET",
         with({kAgentLine}, {}),
         ""},
        {"caller's Content-Type normalized, not doubled",
         {.url = url,
          .method = HttpMethod::Post,
          .body = "a=1",
          .headers = "content-type: text/plain"},
         "POST",
         with({kAgentLine, "Content-Type: text/plain"}, {"Content-Length: 3"}),
         "a=1"},
        {"agent from the headers",
         {.url = url, .headers = "user-agent: X"},
         "GET",
         with({"User-Agent: X"}, {}),
         ""},
        {"no completion: nothing added",
         {.url = url, .completeHeaders = false},
         "GET",
         {kAgentLine},
         ""},
        {"names kept as given",
         {.url = url,
          .headers = "x-lower: 1\r\nno colon",
          .completeHeaders = false,
          .normalizeHeaderNames = false},
         "GET",
         {kAgentLine, "x-lower: 1"},
         ""},
        {"stray line breaks cannot add lines",
         {.url = url, .headers = "X-A: 1\nEvil: 2\r", .completeHeaders = false},
         "GET",
         {kAgentLine, "X-A: 1 Evil: 2 "},
         ""},
        {"text travels as GBK",
         {.url = url, .method = HttpMethod::Post, .body = "名=张三", .headers = "X-Name: 张"},
         "POST",
         with({kAgentLine, "X-Name: \xD5\xC5"},
              {"Content-Type: application/x-www-form-urlencoded", "Content-Length: 7"}),
         "\xC3\xFB=\xD5\xC5\xC8\xFD"},
        {"cookie text",
         {.url = url, .cookies = "a=1; b=2"},
         "GET",
         with({kAgentLine}, {"Cookie: a=1; b=2"}),
         ""},
        {"complete cookie line",
         {.url = url, .cookies = "Cookie: c=3"},
         "GET",
         with({kAgentLine}, {"Cookie: c=3"}),
         ""},
        {"HEAD",
         {.url = url, .method = HttpMethod::Head, .body = "a=1"},
         "HEAD",
         with({kAgentLine}, {}),
         ""},
        {"PUT with a body",
         {.url = url, .method = HttpMethod::Put, .body = "x"},
         "PUT",
         with({kAgentLine}, {"Content-Length: 1"}),
         "x"},
        {"DELETE without a body",
         {.url = url, .method = HttpMethod::Delete},
         "DELETE",
         with({kAgentLine}, {}),
         ""},
        {"POST without a body",
         {.url = url, .method = HttpMethod::Post},
         "POST",
         with({kAgentLine},
              {"Content-Type: application/x-www-form-urlencoded", "Content-Length: 0"}),
         ""},
        {"large POST without Expect",
         {.url = url, .method = HttpMethod::Post, .body = bigBody, .completeHeaders = false},
         "POST",
         {kAgentLine, "Content-Length: " + std::to_string(bigBody.size())},
         bigBody},
    };
    for (const Case &c : cases) {
        HttpEngine::fetch(c.args);
        const Sent sent = parsed(server.lastRequest());
        EXPECT_EQ(sent.requestLine, c.verb + " /shape HTTP/1.1") << c.what;
        EXPECT_EQ(sent.lines, c.lines) << c.what;
        EXPECT_EQ(sent.body, c.body) << c.what;
    }
}

TEST_F(HttpEngineTest, PathGoesOutAsGiven)
{
    struct Case
    {
        const char *path;
        const char *target;
    };
    const Case cases[] = {
        {"/Mixed/Case?Q=1&r=%41", "/Mixed/Case?Q=1&r=%41"},
        {"/a/../b/./c", "/a/../b/./c"},
        {"/q?name=中", "/q?name=\xD6\xD0"},
        {"/a b?c=d e", "/a%20b?c=d%20e"},
        {"/x#fragment", "/x"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(HttpEngine::fetchPage(server.url(c.path)), "hello") << c.path;
        EXPECT_EQ(LoopbackServer::requestLine(server.lastRequest()),
                  "GET " + std::string(c.target) + " HTTP/1.1");
    }
}

TEST_F(HttpEngineTest, EveryVerbByItsCode)
{
    const char *verbs[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    for (int code = 0; code < 8; ++code) {
        HttpEngine::fetchPage(server.url("/verb"), static_cast<HttpMethod>(code));
        EXPECT_EQ(LoopbackServer::requestLine(server.lastRequest()),
                  std::string(verbs[code]) + " /verb HTTP/1.1");
    }
}

TEST_F(HttpEngineTest, PostFillsOnlyAnEmptyBodyBytes)
{
    std::string filled;
    HttpEngine::fetch(
        {.url = server.url("/b"), .method = HttpMethod::Post, .body = "中", .bodyBytes = &filled});
    EXPECT_EQ(filled, "\xD6\xD0");

    std::string given = "raw";
    HttpEngine::fetch({.url = server.url("/b"),
                       .method = HttpMethod::Post,
                       .body = "ignored",
                       .bodyBytes = &given});
    EXPECT_EQ(given, "raw");
    EXPECT_EQ(parsed(server.lastRequest()).body, "raw");

    std::string untouched;
    HttpEngine::fetch({.url = server.url("/b"), .body = "a=1", .bodyBytes = &untouched});
    EXPECT_EQ(untouched, "");
}

TEST_F(HttpEngineTest, RedirectsFollowedOrReturned)
{
    std::string headers;
    std::string cookies;
    EXPECT_EQ(HttpEngine::fetch({.url = server.url("/redir/moved"),
                                 .cookies = "",
                                 .cookiesOut = &cookies,
                                 .responseHeadersOut = &headers,
                                 .noRedirect = true}),
              "moved-body");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 302 Found\r\n")) << headers;
    EXPECT_EQ(cookies, "hop=1");
    EXPECT_EQ(server.requests().size(), 1u);

    // Followed: the final reply's body and header block; a POST continues as a GET.
    EXPECT_EQ(HttpEngine::fetch({.url = server.url("/redir/moved"),
                                 .method = HttpMethod::Post,
                                 .body = "a=1",
                                 .cookies = "",
                                 .cookiesOut = &cookies,
                                 .responseHeadersOut = &headers}),
              "target-body");
    EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n");
    EXPECT_EQ(cookies, "");
    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(LoopbackServer::requestLine(requests[1]), "POST /redir/moved HTTP/1.1");
    EXPECT_EQ(LoopbackServer::requestLine(requests[2]), "GET /redir/target HTTP/1.1");
}

TEST_F(HttpEngineTest, OutParametersFromTheReplyHeaders)
{
    struct Case
    {
        const char *what;
        std::string path;
        std::optional<std::string> cookies;
        std::optional<bool> merge;
        std::string cookiesOut;
    };
    const Case cases[] = {
        {"received only", "/out/set?sid=abc", std::nullopt, std::nullopt, "sid=abc"},
        {"merged with the sent", "/out/set?sid=abc", "sid=old; keep=1", std::nullopt,
         "sid=abc; keep=1"},
        {"merge switched off", "/out/set?sid=abc", "sid=old; keep=1", false, "sid=abc"},
        {"bare LF lines", "/lf", "", std::nullopt, "lf=1"},
    };
    for (const Case &c : cases) {
        std::string cookies = "stale";
        std::string headers = "stale";
        HttpEngine::fetch({.url = server.url(c.path),
                           .cookies = c.cookies,
                           .cookiesOut = &cookies,
                           .responseHeadersOut = &headers,
                           .mergeCookies = c.merge});
        EXPECT_EQ(cookies, c.cookiesOut) << c.what;
        EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\nSet-Cookie: ")) << c.what;
        EXPECT_TRUE(headers.ends_with("Content-Length: 3\r\n\r\n") ||
                    headers.ends_with("Content-Length: 2\r\n\r\n"))
            << c.what << ": " << headers;
    }
}

TEST_F(HttpEngineTest, UnreachableHostGivesEmptyBodyAndBlankOutParameters)
{
    std::string cookies = "stale";
    std::string headers = "stale";
    const std::string url = "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort());
    EXPECT_EQ(HttpEngine::fetch(
                  {.url = url + "/x", .cookiesOut = &cookies, .responseHeadersOut = &headers}),
              "");
    EXPECT_EQ(cookies, "");
    EXPECT_EQ(headers, "");

    // A URL that names no usable host or port cannot even be opened: nothing is touched.
    cookies = headers = "stale";
    for (const char *bad : {"http://127.0.0.1:99999/x", "http://127.0.0.1:/x", "",
                            "http://a@127.0.0.1/", "http://127.0.0.1?x=1", "http://[::1]:80/"}) {
        EXPECT_EQ(
            HttpEngine::fetch({.url = bad, .cookiesOut = &cookies, .responseHeadersOut = &headers}),
            "")
            << bad;
        EXPECT_EQ(cookies, "stale") << bad;
        EXPECT_EQ(headers, "stale") << bad;
    }
}

TEST_F(HttpEngineTest, CookieStoreCarriesCookiesAcrossCalls)
{
    HttpEngine::fetchPage(server.url("/store/set?sid=s1"));
    HttpEngine::fetchPage(server.url("/store/next"));
    EXPECT_EQ(cookieLineOf(server.lastRequest()), "Cookie: sid=s1");
    // A later reply replaces the value.
    HttpEngine::fetchPage(server.url("/store/set?sid=s2"));
    HttpEngine::fetchPage(server.url("/store/next"));
    EXPECT_EQ(cookieLineOf(server.lastRequest()), "Cookie: sid=s2");
}

TEST_F(HttpEngineTest, CookieStoreIsSharedByConcurrentCalls)
{
    constexpr int kThreads = 8;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([this, i] {
            for (int round = 0; round < 5; ++round)
                HttpEngine::fetchPage(
                    server.url("/threads/set?t" + std::to_string(i) + "=" + std::to_string(round)));
        });
    }
    for (std::thread &t : threads)
        t.join();
    HttpEngine::fetchPage(server.url("/threads/check"));
    const std::string line = cookieLineOf(server.lastRequest());
    for (int i = 0; i < kThreads; ++i)
        EXPECT_NE(line.find("t" + std::to_string(i) + "=4"), std::string::npos) << line;
}

TEST_F(HttpEngineTest, SuppliedCookiesBypassTheStore)
{
    // The store lives as long as the process: a fresh path per run keeps runs apart.
    static int run = 0;
    const std::string scope = "/bypass" + std::to_string(++run);

    // Not written: a cookie set in reply to a call that supplied (even empty) cookies.
    HttpEngine::fetch({.url = server.url(scope + "/set?b=1"), .cookies = ""});
    HttpEngine::fetchPage(server.url(scope + "/check"));
    EXPECT_EQ(cookieLineOf(server.lastRequest()), "");

    // Not read: the stored cookie stays away from a call with cookies of its own.
    HttpEngine::fetchPage(server.url(scope + "/set?s=1"));
    HttpEngine::fetch({.url = server.url(scope + "/check"), .cookies = "own=1"});
    EXPECT_EQ(cookieLineOf(server.lastRequest()), "Cookie: own=1");
    HttpEngine::fetchPage(server.url(scope + "/check"));
    EXPECT_EQ(cookieLineOf(server.lastRequest()), "Cookie: s=1");
}

TEST_F(HttpEngineTest, RepliesOverTheLimitsFail)
{
    HttpLimits limits;
    limits.maxBodyBytes = 1000;
    HttpEngine::setLimits(limits);
    EXPECT_EQ(HttpEngine::fetchPage(server.url("/big/1000")).size(), 1000u);
    EXPECT_EQ(HttpEngine::fetchPage(server.url("/big/1001")), "");
    EXPECT_EQ(HttpEngine::fetchPage(server.url("/big/100000")), "");

    limits.maxHeaderBytes = 64;
    HttpEngine::setLimits(limits);
    std::string headers;
    EXPECT_EQ(HttpEngine::fetch({.url = server.url("/out/set?long=" + std::string(80, 'v')),
                                 .responseHeadersOut = &headers}),
              "");
}

TEST_F(HttpEngineTest, StalledRepliesAreAbandoned)
{
    HttpLimits limits;
    limits.stallTime = std::chrono::seconds(1);
    HttpEngine::setLimits(limits);
    std::string headers;
    EXPECT_EQ(HttpEngine::fetch({.url = server.url("/stall"), .responseHeadersOut = &headers}), "");
    EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
    EXPECT_EQ(HttpEngine::fetch({.url = server.url("/silent"), .responseHeadersOut = &headers}),
              "");
    EXPECT_EQ(headers, "");
}

TEST_F(HttpEngineTest, ProxySettings)
{
    // The environment's proxy is never used.
    const std::string dead = "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort());
    ::setenv("http_proxy", dead.c_str(), 1);
    ::setenv("HTTPS_PROXY", dead.c_str(), 1);
    ::setenv("ALL_PROXY", dead.c_str(), 1);
    EXPECT_EQ(HttpEngine::fetchPage(server.url("/direct")), "hello");
    ::unsetenv("http_proxy");
    ::unsetenv("HTTPS_PROXY");
    ::unsetenv("ALL_PROXY");

    // An explicit HTTP proxy gets the absolute URL.
    EXPECT_EQ(HttpEngine::fetch({.url = "http://example.invalid/p?q=1",
                                 .proxy = "127.0.0.1:" + std::to_string(server.port())}),
              "hello");
    const std::string line = LoopbackServer::requestLine(server.lastRequest());
    EXPECT_TRUE(line.starts_with("GET http://example.invalid")) << line;
    EXPECT_TRUE(line.ends_with("/p?q=1 HTTP/1.1")) << line;
}

TEST(HttpEngineTls, CertificatesAndHostNamesAreVerified)
{
    const auto dir = std::filesystem::temp_directory_path();
    struct Case
    {
        const char *what;
        const char *altName;
        bool trusted;
        std::string body;
    };
    const Case cases[] = {
        {"trusted, matching name", "IP:127.0.0.1", true, "secret"},
        {"unknown authority", "IP:127.0.0.1", false, ""},
        {"name mismatch", "DNS:other.example", true, ""},
    };
    for (const Case &c : cases) {
        SelfSignedCert cert(c.altName);
        httplib::SSLServer tls(cert.cert(), cert.key());
        tls.Get("/s", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("secret", "text/plain");
        });
        const int port = tls.bind_to_any_port("127.0.0.1");
        std::thread serving([&] { tls.listen_after_bind(); });

        const std::string ca = (dir / ("cloud-test-ca-" + std::to_string(port) + ".pem")).string();
        ASSERT_TRUE(cert.writePem(ca));
        HttpLimits limits;
        if (c.trusted)
            limits.caBundle = ca;
        HttpEngine::setLimits(limits);
        EXPECT_EQ(
            HttpEngine::fetchPage("HTTPS://127.0.0.1:" + std::to_string(port) + "/s", {}, {}, ""),
            c.body)
            << c.what;
        HttpEngine::setLimits(HttpLimits{});
        tls.stop();
        serving.join();
        std::filesystem::remove(ca);
    }
}

TEST(HttpEngineUrl, Splitting)
{
    struct Case
    {
        const char *url;
        const char *host;
        const char *hostWithPort;
        int port;
        const char *path;
    };
    const Case cases[] = {
        {"HTTPS://Api.Example.com/A/b?C=D", "api.example.com", "api.example.com", 443, "/A/b?C=D"},
        {"http://Host:8080/a?b=1", "host", "host:8080", 8080, "/a?b=1"},
        {"http://host", "host", "host", 80, "/"},
        {"https://host:8443", "host", "host:8443", 8443, "/"},
        {"host/p", "host", "host", 80, "/p"},
        {"Host:81", "host", "host:81", 81, "/"},
        {"http://t/x", "t", "t", 80, "/x"},
        {"https://ps/q/", "ps", "ps", 443, "/q/"},
        {"http://h:x/", "h", "h:x", 0, "/"},
        {"", "", "", 80, "/"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(HttpEngine::hostOfUrl(c.url), c.host) << c.url;
        EXPECT_EQ(HttpEngine::hostOfUrl(c.url, true), c.hostWithPort) << c.url;
        EXPECT_EQ(HttpEngine::portOfUrl(c.url), c.port) << c.url;
        EXPECT_EQ(HttpEngine::pathOfUrl(c.url), c.path) << c.url;
    }
}
