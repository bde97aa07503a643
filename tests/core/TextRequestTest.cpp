#include "net/TextRequest.h"
#include "net/HttpEngine.h"
#include "net/ReplyCharset.h"
#include "net/TextRequestHeaders.h"

#include "LoopbackServer.h"
#include "SelfSignedCert.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <thread>

using namespace cloud;

namespace {

const std::string kDefaultLines = "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; "
                                  "WOW64; Trident/5.0)\r\n"
                                  "Accept: text/html, application/xhtml+xml, */*\r\n"
                                  "Accept-Encoding: identity\r\n"
                                  "Accept-Language: zh-cn\r\n";

// The head of a recorded request: everything before the blank line.
std::string headOf(const std::string &request)
{
    return request.substr(0, request.find("\r\n\r\n") + 2);
}

LoopbackServer::Reply route(const std::string &request)
{
    const std::string path = LoopbackServer::pathOf(request);
    if (path == "/moved")
        return {LoopbackServer::reply(
            "302 Found", "Location: /target\r\nSet-Cookie: hop=1; Path=/\r\n", "moved-body")};
    if (path == "/target")
        return {LoopbackServer::reply("200 OK", "", "target-body")};
    if (path == "/cookies")
        return {LoopbackServer::reply("200 OK",
                                      "Set-Cookie: a=9; Path=/\r\nSet-Cookie: b=deleted\r\n", "c")};
    if (path == "/utf8")
        return {
            LoopbackServer::reply("200 OK", "",
                                  "<html><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                  "charset=\"utf-8\"><title>\xE6\x89\xBE\xE5\x9B\x9E</title>")};
    if (path == "/late")
        return {LoopbackServer::reply("200 OK", "",
                                      std::string(1100, ' ') + "<meta charset=utf-8>\xD5\xD2")};
    if (path == "/gbk")
        return {LoopbackServer::reply("200 OK", "", std::string("\xD5\xD2\xBB\xD8\0tail", 9))};
    if (path == "/short")
        return {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n1000"};
    if (path == "/silent")
        return {"", true};
    return {LoopbackServer::reply("200 OK", "Set-Cookie: s=1\r\n", "hello")};
}

class TextRequestTest : public ::testing::Test
{
protected:
    void TearDown() override { HttpEngine::setLimits(HttpLimits{}); }

    LoopbackServer server{route};
};

} // namespace

TEST(TextRequestHeaders, Composition)
{
    using TextRequestHeaders::compose;
    struct Case
    {
        const char *what;
        std::string headers;
        std::string cookies;
        HttpMethod method;
        bool complete;
        bool normalize;
        std::string expected;
    };
    const Case cases[] = {
        {"defaults for a GET", "", "", HttpMethod::Get, true, false,
         kDefaultLines + "Cache-Control: no-cache\r\n"},
        {"a POST also names its content type", "", "", HttpMethod::Post, true, false,
         kDefaultLines + "Content-Type: application/x-www-form-urlencoded\r\n"
                         "Cache-Control: no-cache\r\n"},
        {"lines found in any letter case are not added again", "user-agent: x\r\nACCEPT: y", "",
         HttpMethod::Get, true, false,
         "user-agent: x\r\nACCEPT: y\r\n"
         "Accept-Encoding: identity\r\nAccept-Language: zh-cn\r\nCache-Control: no-cache\r\n"},
        {"names are tidied after the defaults are added", "x-requested-with: a\r\nnoise", "",
         HttpMethod::Get, false, true, "X-Requested-With: a"},
        {"exactly keep-alive goes", "Connection: keep-alive\r\nA: 1", "", HttpMethod::Get, false,
         true, "A: 1"},
        {"other spellings of keep-alive stay", "Connection: Keep-Alive", "", HttpMethod::Get, false,
         true, "Connection: Keep-Alive"},
        {"a cookie text becomes a cookie line", "A: 1", "k=v; m=n", HttpMethod::Get, false, true,
         "A: 1\r\nCookie: k=v; m=n\r\n"},
        {"a cookie line is sent as it is", "A: 1", "cookie: k=v", HttpMethod::Get, false, true,
         "A: 1\r\ncookie: k=v\r\n"},
        {"a cookie line of the caller wins", "Cookie: mine=1", "k=v", HttpMethod::Get, false, true,
         "Cookie: mine=1"},
        {"as given", "a: 1", "", HttpMethod::Post, false, false, "a: 1\r\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(compose(c.headers, c.cookies, c.method, c.complete, c.normalize), c.expected)
            << c.what;
}

TEST(TextRequestHeaders, WireLinesStateTheRealBodyLength)
{
    std::vector<std::string> lines;
    ASSERT_TRUE(TextRequestHeaders::toWireLines("A: 1\r\n\r\nContent-Length: 99\r\n", 19, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"A: 1", "Content-Length: 19"}));
    ASSERT_TRUE(TextRequestHeaders::toWireLines("content-length: 5\r\nB: \xE6\x89\xBE", {}, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"B: \xD5\xD2"})) << "no body, no length; GBK";
    ASSERT_TRUE(TextRequestHeaders::toWireLines("A: x\ny", {}, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"A: x y"})) << "a lone line feed is no new line";
    EXPECT_FALSE(TextRequestHeaders::toWireLines("A: 1\r\nnot a header", {}, lines));
}

TEST(ReplyCharset, DeclarationNearTheTop)
{
    struct Case
    {
        std::string text;
        std::string charset;
    };
    const Case cases[] = {
        {"<meta charset=utf-8>", "utf-8"},
        {"<META http-equiv=x content=\"text/html; CHARSET=gb2312\">", "gb2312"},
        {"<meta charset=\"big5\">", "big5"},
        {"<meta charset=\xE2\x80\x9Cutf-8\xE2\x80\x9D>", "utf-8"},
        {"<meta charset=-x>", "x"},
        {"<meta charset=->", "-"},
        {"<metacharset=utf-8>", ""},
        {"<meta\ncharset=utf-8>", ""},
        {"<meta charset=\"\"> <meta charset=koi8-r>", "koi8-r"},
        {"<meta x>\n<meta charset=euc-jp>", "euc-jp"},
        {"charset=utf-8 <meta>", ""},
        {std::string(1010, ' ') + "<meta charset=utf-8>", ""},
        {std::string(990, ' ') + "<meta charset=utf-8>", "utf-8"},
        {std::string(500, '\x01') + std::string(400, 'x') + "<meta charset=utf-8>", "utf-8"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReplyCharset::declared(c.text), c.charset) << c.text.substr(0, 60);
    // Characters, not bytes: 500 two-byte characters leave room for the declaration.
    std::string wide;
    for (int i = 0; i < 500; ++i)
        wide += "\xC3\xA9";
    EXPECT_EQ(ReplyCharset::declared(wide + "<meta charset=utf-8>"), "utf-8");
}

TEST(ReplyCharset, Decoding)
{
    EXPECT_EQ(ReplyCharset::decode("\xEF\xBB\xBF\xE6\x89\xBE", "UTF-8"), "\xE6\x89\xBE");
    EXPECT_EQ(ReplyCharset::decode("\xD5\xD2", "gb2312"), "\xE6\x89\xBE");
    EXPECT_EQ(ReplyCharset::decode("a\xFF"
                                   "b",
                                   "utf-8"),
              "a?b");
    EXPECT_EQ(ReplyCharset::decode(std::string("a\0b", 3), "utf-8"), "a");
    EXPECT_EQ(ReplyCharset::decode("x", "no-such-charset"), std::nullopt);
}

TEST(TextRequest, TimeOutRule)
{
    using std::chrono::seconds;
    EXPECT_EQ(TextRequest::timeoutFor(std::nullopt), seconds(30));
    EXPECT_EQ(TextRequest::timeoutFor(0), seconds(30));
    EXPECT_EQ(TextRequest::timeoutFor(-4), seconds(30));
    EXPECT_EQ(TextRequest::timeoutFor(7), seconds(7));
}

TEST_F(TextRequestTest, PostGoesOutWithTheCallersLinesThenTheMissingDefaults)
{
    std::string status, bytes, headers;
    const std::string text =
        HttpEngine::fetchText(server.url("/form"), HttpMethod::Post, "a=\xE6\x89\xBE&b=2", {},
                              nullptr, "accept: */*\r\nConnection: keep-alive\r\nContent-Length: 3",
                              &headers, {}, {}, {}, {}, {}, {}, {}, nullptr, &status, &bytes);
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(bytes, "hello");
    EXPECT_EQ(status, "200 OK");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n")) << headers;
    EXPECT_TRUE(headers.ends_with("\r\n\r\n")) << headers;
    const std::string request = server.lastRequest();
    EXPECT_EQ(headOf(request), "POST /form HTTP/1.1\r\n"
                               "Host: 127.0.0.1:" +
                                   std::to_string(server.port()) +
                                   "\r\n"
                                   "Accept: */*\r\n"
                                   "Content-Length: 8\r\n"
                                   "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT "
                                   "6.1; WOW64; Trident/5.0)\r\n"
                                   "Accept-Encoding: identity\r\n"
                                   "Accept-Language: zh-cn\r\n"
                                   "Content-Type: application/x-www-form-urlencoded\r\n"
                                   "Cache-Control: no-cache\r\n");
    EXPECT_EQ(LoopbackServer::bodyOf(request), "a=\xD5\xD2&b=2") << "the body travels in GBK";
}

TEST_F(TextRequestTest, BodyBytesWinOverTheBodyTextAndHeadSendsNone)
{
    HttpEngine::fetchTextWith({.url = server.url("/p"),
                               .method = HttpMethod::Put,
                               .body = "text",
                               .bodyBytes = std::string("\x01\x02", 2)});
    EXPECT_TRUE(server.lastRequest().starts_with("PUT /p HTTP/1.1\r\n"));
    EXPECT_EQ(LoopbackServer::bodyOf(server.lastRequest()), std::string("\x01\x02", 2));
    HttpEngine::fetchTextWith({.url = server.url("/h"), .method = HttpMethod::Head, .body = "x"});
    EXPECT_TRUE(server.lastRequest().starts_with("HEAD /h HTTP/1.1\r\n"));
    EXPECT_EQ(server.lastRequest().find("Content-Length"), std::string::npos);
}

TEST_F(TextRequestTest, ReplyCookiesAndLocation)
{
    std::string cookies, location = "stale", status;
    EXPECT_EQ(HttpEngine::fetchTextWith({.url = server.url("/moved"),
                                         .cookies = "b=1; keep=2",
                                         .cookiesOut = &cookies,
                                         .noRedirect = true,
                                         .locationOut = &location,
                                         .statusOut = &status}),
              "moved-body");
    EXPECT_EQ(status, "302 Found");
    EXPECT_EQ(location, "/target");
    EXPECT_EQ(cookies, "hop=1; b=1; keep=2");
    EXPECT_NE(server.lastRequest().find("\r\nCookie: b=1; keep=2\r\n"), std::string::npos);

    EXPECT_EQ(HttpEngine::fetchTextWith({.url = server.url("/moved"), .locationOut = &location}),
              "target-body");
    EXPECT_EQ(location, "") << "the followed reply has no target";

    HttpEngine::fetchTextWith({.url = server.url("/cookies"),
                               .cookies = "b=1; c=3",
                               .cookiesOut = &cookies,
                               .mergeCookies = false});
    EXPECT_EQ(cookies, "a=9; b=deleted");
    HttpEngine::fetchTextWith(
        {.url = server.url("/cookies"), .cookies = "b=1; c=3", .cookiesOut = &cookies});
    EXPECT_EQ(cookies, "a=9; c=3");
}

TEST_F(TextRequestTest, NeverSeesTheProcessWideCookieStore)
{
    HttpEngine::fetchPage(server.url("/store")); // the store now holds s=1 for this server
    HttpEngine::fetchPage(server.url("/store"));
    // Cookies are kept per host, not per port: other tests' cookies for 127.0.0.1 may ride along.
    ASSERT_NE(server.lastRequest().find("s=1"), std::string::npos);
    std::string cookies;
    HttpEngine::fetchTextWith({.url = server.url("/text"), .cookiesOut = &cookies});
    EXPECT_EQ(server.lastRequest().find("Cookie"), std::string::npos);
    EXPECT_EQ(cookies, "s=1");
    HttpEngine::fetchTextWith({.url = server.url("/text")});
    EXPECT_EQ(server.lastRequest().find("Cookie"), std::string::npos)
        << "nor does it keep cookies between calls";
}

TEST_F(TextRequestTest, ReplyTextByTheDeclaredCharset)
{
    std::string bytes;
    const std::string page =
        HttpEngine::fetchTextWith({.url = server.url("/utf8"), .replyBytesOut = &bytes});
    EXPECT_TRUE(page.ends_with("<title>\xE6\x89\xBE\xE5\x9B\x9E</title>")) << page;
    EXPECT_TRUE(bytes.ends_with("<title>\xE6\x89\xBE\xE5\x9B\x9E</title>"))
        << "the raw bytes as they came";
    EXPECT_TRUE(HttpEngine::fetchTextWith({.url = server.url("/late")}).ends_with(">\xE6\x89\xBE"))
        << "a declaration after the first 1024 characters is not read: GBK";
    EXPECT_EQ(HttpEngine::fetchTextWith({.url = server.url("/gbk"), .replyBytesOut = &bytes}),
              "\xE6\x89\xBE\xE5\x9B\x9E")
        << "text ends at the first zero byte";
    EXPECT_EQ(bytes.size(), 9u);
}

TEST_F(TextRequestTest, FailuresNameTheirStep)
{
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/";
    struct Case
    {
        std::string url;
        std::string headers;
        std::string_view message;
    };
    const Case cases[] = {
        {"not a url", "", TextRequest::kBadUrl},
        {"ftp://127.0.0.1/x", "", TextRequest::kBadUrl},
        {"http://", "", TextRequest::kBadUrl},
        {"http://127.0.0.1:99999/", "", TextRequest::kBadUrl},
        {server.url("/"), "no colon here", TextRequest::kBadHeaders},
        {refused, "", TextRequest::kSendFailed},
    };
    for (const Case &c : cases) {
        std::string status = "untouched", bytes = "untouched", cookies = "untouched";
        EXPECT_EQ(HttpEngine::fetchTextWith({.url = c.url,
                                             .cookiesOut = &cookies,
                                             .headers = c.headers,
                                             .statusOut = &status,
                                             .replyBytesOut = &bytes,
                                             .normalizeHeaderNames = false}),
                  "")
            << c.url;
        EXPECT_EQ(status, c.message) << c.url;
        EXPECT_EQ(bytes, "untouched") << c.url;
        EXPECT_EQ(cookies, "untouched") << c.url;
    }
}

TEST_F(TextRequestTest, SilentServerTimesOutWaitingForTheReply)
{
    std::string status;
    EXPECT_EQ(HttpEngine::fetchTextWith(
                  {.url = server.url("/silent"), .timeoutSeconds = 1, .statusOut = &status}),
              "");
    EXPECT_EQ(status, TextRequest::kNoResponse);
}

TEST_F(TextRequestTest, BodyCutShortIsAReadFailureWithItsBytesKept)
{
    std::string status, bytes;
    EXPECT_EQ(HttpEngine::fetchTextWith(
                  {.url = server.url("/short"), .statusOut = &status, .replyBytesOut = &bytes}),
              "");
    EXPECT_EQ(status, TextRequest::kReadFailed);
    EXPECT_EQ(bytes, "1000");
}

TEST(TextRequestTls, UnprovenCertificatesFailTheSend)
{
    SelfSignedCert cert("IP:127.0.0.1");
    httplib::SSLServer tls(cert.cert(), cert.key());
    tls.Get("/s", [](const httplib::Request &, httplib::Response &res) {
        res.set_content("secret", "text/plain");
    });
    const int port = tls.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { tls.listen_after_bind(); });
    const std::string url = "https://127.0.0.1:" + std::to_string(port) + "/s";

    std::string status;
    EXPECT_EQ(HttpEngine::fetchTextWith({.url = url, .statusOut = &status}), "");
    EXPECT_EQ(status, TextRequest::kSendFailed);

    const auto ca =
        std::filesystem::temp_directory_path() / ("cloud-text-ca-" + std::to_string(port) + ".pem");
    ASSERT_TRUE(cert.writePem(ca.string()));
    HttpLimits limits;
    limits.caBundle = ca.string();
    HttpEngine::setLimits(limits);
    EXPECT_EQ(HttpEngine::fetchTextWith({.url = url, .statusOut = &status}), "secret");
    EXPECT_EQ(status, "200 OK");
    HttpEngine::setLimits(HttpLimits{});
    tls.stop();
    serving.join();
    std::filesystem::remove(ca);
}
