#include "orders/RenewalRequests.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "data/TextUtil.h"
#include "net/FieldList.h"
#include "orders/ListReply.h"

namespace cloud::RenewalRequests {

RenewalOffer offer(const std::string &hostId)
{
    FieldList form;
    form.add("id", hostId);
    const JsonDoc doc =
        parsedReply(ApiClient::fromSession().postForm(api::kRenewPrices, form, true));
    const auto price = [&](const char *field) {
        return integerValue(ApiReply::recordText(doc, 0, field));
    };
    RenewalOffer result;
    result.prices = {price("day"), price("month"), price("Annual")};
    result.startTime = ApiReply::recordText(doc, 0, "starttime");
    result.endTime = ApiReply::recordText(doc, 0, "endtime");
    return result;
}

std::string renew(RentalPeriod period, const std::string &hostId)
{
    FieldList form;
    form.add("year", std::string(periodCode(period)));
    form.add("id", hostId);
    return ApiClient::fromSession().postForm(api::kRenew, form, true);
}

bool balanceCovers(std::string_view balanceText, std::int64_t price)
{
    // Both values are whole and not negative, so the difference cannot overflow.
    return integerValue(balanceText) - price >= 0;
}

} // namespace cloud::RenewalRequests
