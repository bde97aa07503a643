#include "orders/PurchaseRequests.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "data/TextUtil.h"
#include "net/FieldList.h"
#include "orders/ListReply.h"

namespace cloud {

bool PurchaseOffer::offers(RentalPeriod period) const
{
    const std::string &text = price(period);
    return !text.empty() && text != "0";
}

namespace PurchaseRequests {
namespace {

FieldList idForm(const std::string &productId)
{
    FieldList form;
    form.add("id", productId);
    return form;
}

FieldList orderFields(const OrderRequest &request)
{
    FieldList form;
    form.add("year", request.periodCode);
    form.add("id", std::to_string(integerValue(request.productId)));
    form.add("osid", request.osId);
    form.add("duration", "1");
    return form;
}

} // namespace

PurchaseOffer offer(const std::string &productId)
{
    const ApiClient client = ApiClient::fromSession();
    const std::string priceReply = client.postForm(api::kProductPrices, idForm(productId), true);
    const std::string osReply = client.postForm(api::kProductOs, idForm(productId), true);

    PurchaseOffer result;
    const JsonDoc prices = parsedReply(priceReply);
    result.prices = {ApiReply::recordText(prices, 0, "day"),
                     ApiReply::recordText(prices, 0, "month"),
                     ApiReply::recordText(prices, 0, "Annual")};
    const JsonDoc systems = parsedReply(osReply);
    for (std::size_t i = 0, n = recordsListed(systems); i < n; ++i)
        result.systems.push_back(
            {ApiReply::recordText(systems, i, "osid"), ApiReply::recordText(systems, i, "osname")});
    return result;
}

std::string orderForm(const OrderRequest &request)
{
    return orderFields(request).toForm();
}

OrderOutcome placeOrder(const OrderRequest &request)
{
    return judgeOrderReply(ApiClient::fromSession().postForm(api::kBuy, orderFields(request)));
}

OrderOutcome judgeOrderReply(const std::string &reply)
{
    const JsonDoc doc = parsedReply(reply);
    return {ApiReply::statusSucceeded(doc), doc.textAt("data")};
}

} // namespace PurchaseRequests
} // namespace cloud
