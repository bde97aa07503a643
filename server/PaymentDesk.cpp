#include "PaymentDesk.h"

#include "Database.h"
#include "Ledger.h"
#include "LocalTime.h"
#include "Money.h"
#include "RandomText.h"
#include "ServiceContext.h"

#include "data/TextUtil.h"

namespace refservice {

bool PaymentDesk::isOrderNumber(const std::string &text)
{
    if (text.size() != 32)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

std::string PaymentDesk::cutoff() const
{
    return LocalTime::fromEpoch(m_context.clock() - lifetimeSeconds).text();
}

std::string PaymentDesk::create(std::int64_t accountId, const std::string &amountText,
                                const std::string &userName)
{
    const auto cents = Money::parseYuan(amountText, maxAmountCents);
    if (!cents)
        return {};
    Database &db = m_context.db;
    const auto account = db.queryOne("SELECT mobile FROM accounts WHERE id = ?1", {accountId});
    if (!account || account->text("mobile") != cloud::trimmed(userName))
        return {};
    const auto pending = db.queryOne("SELECT COUNT(*) AS n FROM payment_orders WHERE "
                                     "account_id = ?1 AND status = 'pending' AND created >= ?2",
                                     {accountId, cutoff()});
    if (!pending || pending->integer("n") >= maxPendingOrders)
        return {};
    const std::string number = RandomText::hex(32);
    const std::string now = LocalTime::fromEpoch(m_context.clock()).text();
    const bool stored =
        db.insert("INSERT INTO payment_orders(order_no, account_id, amount_cents, created) "
                  "VALUES(?1, ?2, ?3, ?4)",
                  {number, accountId, *cents, now}) != 0;
    return stored ? number : std::string();
}

std::optional<PaymentOrder> PaymentDesk::find(const std::string &number)
{
    if (!isOrderNumber(number))
        return std::nullopt;
    const auto row = m_context.db.queryOne(
        "SELECT o.order_no, o.account_id, o.amount_cents, o.status, o.created, a.mobile "
        "FROM payment_orders o JOIN accounts a ON a.id = o.account_id WHERE o.order_no = ?1",
        {number});
    if (!row)
        return std::nullopt;
    const bool expired = row->text("status") == "pending" && row->text("created") < cutoff();
    return PaymentOrder{row->text("order_no"),
                        row->integer("account_id"),
                        row->text("mobile"),
                        row->integer("amount_cents"),
                        row->text("status"),
                        row->text("created"),
                        expired};
}

PaymentDesk::Confirmation PaymentDesk::confirm(const std::string &number)
{
    Confirmation result = Confirmation::Unknown;
    const std::string now = LocalTime::fromEpoch(m_context.clock()).text();
    // The order is read inside the transaction: two confirmations at once see one another.
    const bool committed = m_context.db.transaction([&] {
        const auto order = find(number);
        result = order ? tryConfirm(*order, now) : Confirmation::Unknown;
        return result == Confirmation::Credited;
    });
    if (result == Confirmation::Credited && !committed)
        return Confirmation::Failed;
    return result;
}

PaymentDesk::Confirmation PaymentDesk::tryConfirm(const PaymentOrder &order, const std::string &now)
{
    if (order.status == "paid")
        return Confirmation::AlreadyPaid;
    if (order.expired)
        return Confirmation::Expired;
    const int changed = m_context.db.modify("UPDATE payment_orders SET status = 'paid', "
                                            "paid_time = ?2 WHERE order_no = ?1 AND "
                                            "status = 'pending'",
                                            {order.number, now});
    if (changed != 1)
        return changed == 0 ? Confirmation::AlreadyPaid : Confirmation::Failed;
    return Ledger(m_context.db).credit(order.accountId, order.amountCents, "充值", "在线充值", now)
               ? Confirmation::Credited
               : Confirmation::Failed;
}

} // namespace refservice
