#include "finance/RechargeRequest.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "net/FieldList.h"

#include <QString>

namespace cloud::RechargeRequest {

std::string send(const std::string &account, const std::string &amount)
{
    FieldList form;
    form.add("ORDERMONEY", amount);
    form.add("USERNAME", account);
    return ApiClient::fromSession().postForm(api::kOnlineTopUp, form, /*noRedirect=*/true);
}

QUrl paymentPage(std::string_view reply)
{
    const QString text = QString::fromUtf8(reply.data(), qsizetype(reply.size())).trimmed();
    const QUrl url(text, QUrl::StrictMode);
    const bool web =
        url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    // The scheme must be spelled out in front ("http:/x" or a relative text is no page).
    const bool absolute = text.startsWith(url.scheme() + QLatin1String("://"), Qt::CaseInsensitive);
    if (!url.isValid() || !web || !absolute || url.host().isEmpty())
        return {};
    return url;
}

} // namespace cloud::RechargeRequest
