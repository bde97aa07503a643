#include "hosts/HostRequests.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "data/JsonDoc.h"
#include "net/FieldList.h"

#include <utility>

namespace cloud::HostRequests {

std::string restart(const std::string &id)
{
    return ApiClient::fromSession().getText(std::string(api::kHostRestart) + id +
                                            std::string(api::kHostRestartTail));
}

std::vector<OsEntry> osList(const std::string &id)
{
    FieldList form;
    form.add("id", id);
    return parseOsList(ApiClient::fromSession().postForm(api::kHostOsList, form, true));
}

std::string install(const std::string &osId, const std::string &id)
{
    FieldList form;
    form.add("osid", osId);
    form.add("id", id);
    return ApiClient::fromSession().postForm(api::kHostInstall, form);
}

std::string changePassword(const std::string &password, const std::string &id)
{
    FieldList form;
    form.add("password", password);
    form.add("id", id);
    return ApiClient::fromSession().postForm(api::kHostPassword, form);
}

std::string setRemark(const std::string &accountName, const std::string &accountPassword,
                      const std::string &id, const std::string &remark)
{
    FieldList form;
    form.add("username", accountName);
    form.add("password", accountPassword);
    form.add("id", id);
    form.add("bz", remark);
    return ApiClient::fromSession().postForm(api::kHostRemark, form);
}

std::string refund(const std::string &id)
{
    const AppSession &session = AppSession::instance();
    return ApiClient(session.baseUrl())
        .getText(std::string(api::kHostRefund) + id, refundHeaders(session.apiHost()));
}

std::vector<OsEntry> parseOsList(std::string_view reply)
{
    JsonDoc doc;
    doc.parse(reply);
    const std::int64_t count = ApiReply::listCount(doc);
    std::vector<OsEntry> entries;
    // A count larger than the data array would only add empty entries (and a huge one
    // would never end), so the array's own end stops the reading too.
    for (std::size_t i = 0; std::cmp_less(i, count); ++i) {
        if (!doc.exists("data[" + std::to_string(i) + "]"))
            break;
        entries.push_back(
            {ApiReply::recordText(doc, i, "osid"), ApiReply::recordText(doc, i, "osname")});
    }
    return entries;
}

std::string refundHeaders(const std::string &apiHost)
{
    FieldList headers;
    headers.add("Accept", "image/gif, image/jpeg, image/pjpeg, application/x-ms-application, "
                          "application/xaml+xml, application/x-ms-xbap, */*");
    headers.add("Accept-Language", "zh-Hans-CN,zh-Hans;q=0.5");
    headers.add("User-Agent",
                "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko");
    headers.add("Host", apiHost);
    headers.add("Connection", "Keep-Alive");
    return headers.toHeaderBlock();
}

} // namespace cloud::HostRequests
