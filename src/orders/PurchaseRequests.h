#pragma once

#include "orders/RentalPeriod.h"

#include <array>
#include <string>
#include <vector>

namespace cloud {

// One operating system a product can be set up with.
struct OsChoice
{
    std::string id;   // osid
    std::string name; // osname
};

// What the purchase dialog offers for one product: the three period prices as the service
// wrote them, and the operating systems.
struct PurchaseOffer
{
    std::array<std::string, 3> prices; // day, month, Annual
    std::vector<OsChoice> systems;

    const std::string &price(RentalPeriod period) const { return prices[static_cast<int>(period)]; }
    // A period is not offered when its price is empty or exactly "0" ("0.00" is offered).
    bool offers(RentalPeriod period) const;
};

// One order as the order worker sends it.
struct OrderRequest
{
    std::string periodCode; // "day", "month" or "Annual"
    std::string productId;  // as the catalogue list holds it
    std::string osId;
};

struct OrderOutcome
{
    bool succeeded = false;
    std::string message; // the service's `data`, shown when the order failed
};

// The purchase's calls; each blocks its calling thread (a worker).
namespace PurchaseRequests {

// The price query, then the operating-system query, for one product.
PurchaseOffer offer(const std::string &productId);

// The order form: year, id (the product's integer value: "abc" is sent as 0), osid,
// duration "1".
std::string orderForm(const OrderRequest &request);
OrderOutcome placeOrder(const OrderRequest &request);
// Success is a `status` of the JSON number 200; the string "200" is a failure.
OrderOutcome judgeOrderReply(const std::string &reply);

} // namespace PurchaseRequests

} // namespace cloud
