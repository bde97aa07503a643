#include "account/RegistrationRequests.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "net/FieldList.h"

namespace cloud {

std::string registerRequest(const std::string &mobile, const std::string &password,
                            const std::string &code)
{
    FieldList form;
    form.add("mobi", mobile);
    form.add("password", password);
    form.add("captcha", code);
    return ApiClient::fromSession().postForm(api::kRegister, form);
}

std::string smsCodeRequest(const std::string &mobile)
{
    FieldList form;
    form.add("mobi", mobile);
    return ApiReply::decodedCode(ApiClient::fromSession().postForm(api::kSmsCode, form));
}

} // namespace cloud
