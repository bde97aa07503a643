#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace refservice {

struct ServiceContext;

// One online top-up as the payment page shows it.
struct PaymentOrder
{
    std::string number; // 32 hex digits, the only key to the payment page
    std::int64_t accountId = 0;
    std::string mobile; // of the account to credit
    std::int64_t amountCents = 0;
    std::string status; // pending | paid
    std::string created;
    bool expired = false; // pending and older than the lifetime
};

// Online top-up: an order for an amount, then a payment page that confirms it. The page is
// opened by a browser without the client's session, so the order number, unguessable, is
// what guards it. Confirming credits the balance once; later confirmations change nothing.
class PaymentDesk
{
public:
    enum class Confirmation { Credited, AlreadyPaid, Expired, Unknown, Failed };

    static constexpr std::int64_t maxAmountCents = 5000000; // 50000 yuan per order
    static constexpr int lifetimeSeconds = 2 * 3600;
    // Pending orders an account may hold at once, so an account cannot fill the table.
    static constexpr int maxPendingOrders = 20;

    explicit PaymentDesk(ServiceContext &context) : m_context(context) {}

    // A new order for the signed-in account. `userName` must name that account (the client
    // sends the account it shows); `amountText` is yuan with at most two decimals, above 0
    // and at most `maxAmountCents`. Gives the order number, empty when refused.
    std::string create(std::int64_t accountId, const std::string &amountText,
                       const std::string &userName);
    std::optional<PaymentOrder> find(const std::string &number);
    Confirmation confirm(const std::string &number);

    static bool isOrderNumber(const std::string &text);

private:
    Confirmation tryConfirm(const PaymentOrder &order, const std::string &now);
    std::string cutoff() const; // created before this: expired

    ServiceContext &m_context;
};

} // namespace refservice
