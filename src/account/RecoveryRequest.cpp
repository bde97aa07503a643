#include "account/RecoveryRequest.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "data/Gbk.h"
#include "net/FieldList.h"
#include "net/HttpEngine.h"
#include "net/TextRequest.h"

namespace cloud {

std::string recoveryHeaderBlock(std::size_t formBytes)
{
    const AppSession &session = AppSession::instance();
    FieldList headers;
    headers.add("Content-Type", "application/x-www-form-urlencoded; charset=UTF-8");
    headers.add("Accept", "*/*");
    headers.add("X-Requested-With", "XMLHttpRequest");
    headers.add("Referer", session.baseUrl() + std::string(api::kRecoveryReferer));
    headers.add("Accept-Language", "zh-Hans-CN,zh-Hans;q=0.5");
    headers.add("User-Agent",
                "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko");
    headers.add("Host", session.apiHost());
    headers.add("Content-Length", std::to_string(formBytes));
    headers.add("Connection", "Keep-Alive");
    headers.add("Cache-Control", "no-cache");
    return headers.toHeaderBlock();
}

std::string recoveryRequest(const std::string &account, const std::string &mobile)
{
    FieldList form;
    form.add("username", account);
    form.add("mobi", mobile);
    const std::string body = form.toForm();
    std::string status;
    std::string replyBytes;
    // The form goes out in GBK, whatever its content type says; so is its length counted.
    HttpEngine::fetchTextWith({.url = ApiClient::fromSession().url(api::kRecoverPassword),
                               .method = HttpMethod::Post,
                               .body = body,
                               .headers = recoveryHeaderBlock(utf8ToGbk(body).size()),
                               .noRedirect = true,
                               .statusOut = &status,
                               .replyBytesOut = &replyBytes});
    // A reply cut short is no reply, whatever its first bytes say.
    if (status == TextRequest::kReadFailed)
        return {};
    return ApiClient::replyText(replyBytes);
}

} // namespace cloud
