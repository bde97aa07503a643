#include "HostRefund.h"

#include "Database.h"
#include "HostState.h"
#include "MoneyText.h"

#include <algorithm>

namespace refservice {

std::int64_t HostRefund::unusedShare(std::int64_t paidCents, ServiceClock::TimePoint start,
                                     ServiceClock::TimePoint end, ServiceClock::TimePoint now)
{
    using std::chrono::duration_cast;
    using std::chrono::seconds;
    const std::int64_t term = duration_cast<seconds>(end - start).count();
    if (paidCents <= 0 || term <= 0 || now >= end)
        return 0;
    const std::int64_t unused = std::min(term, duration_cast<seconds>(end - now).count());
    // The product of cents and seconds may not fit 64 bits.
    const __int128 share = static_cast<__int128>(paidCents) * unused / term;
    return static_cast<std::int64_t>(share);
}

std::string HostRefund::refusal(const DbRow &host)
{
    const HostState state = HostState::of(host, m_clock.nowText());
    if (state.refunded)
        return "错误：该主机已申请过退款，请勿重复提交";
    if (state.expired)
        return "错误：主机已到期，无法退款";
    const auto start = ServiceClock::parseLocal(host.text("start_time"));
    if (!start || !ServiceClock::parseLocal(host.text("end_time")))
        return "错误：主机资料有误，请联系客服";
    if (m_clock.now() - *start > period)
        return "错误：已超过退款期限，购买" + std::to_string(period.count() / 24) +
               "天内的主机才能申请退款";
    if (host.integer("paid_cents") <= 0)
        return "错误：该主机没有可退还的金额";
    return {};
}

// The host is marked first, on the condition that it is not marked yet, so two requests at
// once cannot both credit the account.
bool HostRefund::credit(const DbRow &host, std::int64_t accountId, std::int64_t cents)
{
    const std::string now = m_clock.nowText();
    if (m_db.modify("UPDATE hosts SET refund_time = ?, zt = NULL, zt_until = NULL "
                    "WHERE id = ? AND refund_time IS NULL",
                    {now, host.integer("id")}) != 1)
        return false;
    if (cents == 0)
        return true;
    const std::string product =
        host.text("product_name").empty() ? host.text("type_name") : host.text("product_name");
    return m_db.modify("UPDATE accounts SET balance_cents = balance_cents + ? WHERE id = ?",
                       {cents, accountId}) == 1 &&
           m_db.insert("INSERT INTO money_records(account_id, amount_cents, kind, note, time) "
                       "VALUES(?, ?, '退款', ?, ?)",
                       {accountId, cents, "退款 " + product, now}) != 0;
}

std::string HostRefund::request(std::int64_t accountId, std::string_view idText)
{
    std::string answer = "错误：主机不存在";
    const bool done = m_db.transaction([&] {
        const auto host = m_hosts.owned(accountId, idText);
        if (!host)
            return true;
        answer = refusal(*host);
        if (!answer.empty())
            return true;
        const std::int64_t cents = unusedShare(
            host->integer("paid_cents"), *ServiceClock::parseLocal(host->text("start_time")),
            *ServiceClock::parseLocal(host->text("end_time")), m_clock.now());
        if (!credit(*host, accountId, cents))
            return false;
        answer = "退款成功，" + MoneyText::yuan(cents) + " 元已退回账户余额。";
        return true;
    });
    return done ? answer : "错误：退款失败，请联系客服";
}

} // namespace refservice
