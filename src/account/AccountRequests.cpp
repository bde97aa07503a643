#include "account/AccountRequests.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "data/JsonDoc.h"
#include "net/FieldList.h"

#include <charconv>
#include <random>

namespace cloud {

namespace {

// Browser-like lines the service expects on the sign-out; with its own Accept, Referer,
// Accept-Language and User-Agent the engine adds none of its defaults.
std::string signOutHeaders(const AppSession &session)
{
    FieldList headers;
    headers.add("Accept", "image/gif, image/jpeg, image/pjpeg, application/x-ms-application, "
                          "application/xaml+xml, application/x-ms-xbap, */*");
    headers.add("Referer", session.baseUrl() + std::string(api::kLogoutReferer));
    headers.add("Accept-Language", "zh-Hans-CN,zh-Hans;q=0.5");
    headers.add("User-Agent",
                "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko");
    headers.add("Host", session.apiHost());
    headers.add("Connection", "Keep-Alive");
    headers.add("Cache-Control", "no-cache");
    return headers.toHeaderBlock();
}

// The fields the service identifies this client by, after the account's own.
void addClientFields(FieldList &form, const AppSession &session)
{
    form.add("khdkey", session.deviceKey());
    form.add("zd", "1");
    form.add("ver", session.localVersion());
}

} // namespace

std::string signOutRequest()
{
    const AppSession &session = AppSession::instance();
    return ApiClient(session.baseUrl()).getText(api::kLogout, signOutHeaders(session));
}

std::string signInRequest(const std::string &account, const std::string &password,
                          const std::string &captcha)
{
    const AppSession &session = AppSession::instance();
    FieldList form;
    form.add("username", account);
    form.add("password", password);
    form.add("captcha", captcha);
    addClientFields(form, session);
    return ApiReply::decodedCode(ApiClient(session.baseUrl()).postForm(api::kLoginPost, form));
}

std::string keySignInRequest(const std::string &account, const std::string &password)
{
    const AppSession &session = AppSession::instance();
    FieldList form;
    form.add("username", account);
    form.add("password", password);
    addClientFields(form, session);
    return ApiReply::decodedCode(ApiClient(session.baseUrl()).postForm(api::kKeyLogin, form));
}

std::string captchaId()
{
    // Math.random() gives a double with 52 random bits; written shortest, like the engine.
    thread_local std::mt19937_64 engine{std::random_device{}()};
    const double value =
        static_cast<double>(engine() >> 12) / static_cast<double>(std::uint64_t{1} << 52);
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return "0";
    // The document writes numbers the way the engine does (0.0000001 as "1e-7").
    JsonDoc number;
    number.parse(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    return number.textAt("");
}

std::string captchaImageRequest()
{
    return ApiClient::fromSession().getBytes(std::string(api::kCaptcha) + captchaId());
}

} // namespace cloud
