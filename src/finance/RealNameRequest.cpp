#include "finance/RealNameRequest.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "data/TextCodec.h"
#include "data/TextUtil.h"
#include "net/FieldList.h"

namespace cloud::RealNameRequest {
namespace {

// The escaping reads its text as the body of a script string literal, where a
// backslash starts an escape sequence and a line break ends the literal (the whole
// text then escapes to nothing). Writing those characters as escape sequences first
// makes the literal's value the name itself. Apostrophes are left to the escaping.
std::string asLiteralBody(std::string_view name)
{
    // The backslash goes first, so that the escapes written after it stay single.
    std::string body(name);
    for (const auto &[character, escape] : {std::pair{"\\", "\\\\"},
                                            {"\r", "\\r"},
                                            {"\n", "\\n"},
                                            {"\u2028", "\\u2028"},
                                            {"\u2029", "\\u2029"}})
        body = replaceAll(body, character, escape);
    return body;
}

} // namespace

std::string escapedName(std::string_view name)
{
    return escapeText(asLiteralBody(name), false, false, "%25u");
}

bool submit(const std::string &name, const std::string &idNumber, const std::string &mobile)
{
    FieldList form;
    form.add("truename", escapedName(name));
    form.add("perid", idNumber);
    form.add("mobi", mobile);
    return ApiReply::isCode(ApiClient::fromSession().postForm(api::kRealName, form),
                            api::kCodeSuccess);
}

} // namespace cloud::RealNameRequest
