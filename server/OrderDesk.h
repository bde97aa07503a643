#pragma once

#include "DbRow.h"
#include "LocalTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace refservice {

struct ServiceContext;

// What the client sends to buy a host, as sent: the period code ("day", "month", "Annual"),
// the product and operating-system identifiers and the number of periods.
struct PurchaseRequest
{
    std::string periodCode;
    std::string productId;
    std::string osId;
    std::string duration; // empty counts as 1
};

struct OrderOutcome
{
    bool ok = false;
    std::string message; // what the client shows; on success a short confirmation
};

// Purchases and renewals paid from the balance. Every check is made here, whatever the
// client has checked already; the balance, the money record, the stock and the host change
// in one transaction.
class OrderDesk
{
public:
    explicit OrderDesk(ServiceContext &context) : m_context(context) {}

    OrderOutcome buy(std::int64_t accountId, const PurchaseRequest &request);
    // Extends the host by one period, counted from its end or from now when it has ended.
    OrderOutcome renew(std::int64_t accountId, const std::string &periodCode,
                       const std::string &hostId);
    // The account's host with its times and its product's prices (price_*_cents, NULL when
    // not offered); nullopt when `hostId` names no host of the account.
    std::optional<DbRow> renewalQuote(std::int64_t accountId, const std::string &hostId);

    // No rental reaches further ahead than this many years.
    static constexpr int maxYearsAhead = 10;

private:
    // What an order will do once the balance is checked: charge `cents` with the money
    // record `note`, and run the product or host `item` from `start` to `end`.
    struct Plan
    {
        DbRow item;
        std::string os;
        std::string note;
        std::int64_t cents = 0;
        LocalTime start;
        LocalTime end;
    };

    // nullopt when the request is acceptable; `plan` is then filled.
    std::optional<OrderOutcome> planPurchase(const PurchaseRequest &request, Plan &plan);
    std::optional<OrderOutcome> planRenewal(std::int64_t accountId, const std::string &periodCode,
                                            const std::string &hostId, Plan &plan);
    OrderOutcome tryBuy(std::int64_t accountId, const PurchaseRequest &request);
    OrderOutcome tryRenew(std::int64_t accountId, const std::string &periodCode,
                          const std::string &hostId);
    bool insertHost(std::int64_t accountId, const Plan &plan);

    ServiceContext &m_context;
};

} // namespace refservice
