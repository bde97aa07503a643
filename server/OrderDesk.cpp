#include "OrderDesk.h"

#include "Database.h"
#include "Ledger.h"
#include "LocalTime.h"
#include "RandomText.h"
#include "RecordId.h"
#include "RentalPeriod.h"
#include "ServiceContext.h"

#include <algorithm>

namespace refservice {

namespace {

constexpr std::int64_t maxPeriods = 99;

constexpr const char *failedText = "操作失败，请稍后再试";

OrderOutcome refused(std::string message)
{
    return {false, std::move(message)};
}

// Runs `attempt` in one transaction, which commits only when the attempt succeeds. The
// reads and checks happen inside it too, so two orders of one account cannot both spend
// the same balance, nor two renewals both start from the same end time.
template <typename Attempt> OrderOutcome inTransaction(Database &db, Attempt attempt)
{
    OrderOutcome outcome;
    const bool committed = db.transaction([&] {
        outcome = attempt();
        return outcome.ok;
    });
    if (outcome.ok && !committed)
        return refused(failedText);
    return outcome;
}

// The number of periods; the client always sends "1".
std::optional<int> periodCount(const std::string &duration)
{
    if (duration.empty())
        return 1;
    const auto count = RecordId::parse(duration);
    if (!count || *count > maxPeriods)
        return std::nullopt;
    return static_cast<int>(*count);
}

// Addresses of the documentation ranges, so a demo host never names a real machine. A new
// host gets an IP that no host holds yet, on any port: two hosts on one IP would be one
// machine to the user and to the remote desktop. Empty when every IP is taken.
std::string newHostAddress(Database &db)
{
    static const char *const networks[] = {"192.0.2.", "198.51.100.", "203.0.113."};
    constexpr std::uint32_t perNetwork = 253; // .2 to .254
    constexpr std::uint32_t total = 3 * perNetwork;
    const std::uint32_t first = RandomText::below(total);
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint32_t n = (first + i) % total;
        const std::string ip = networks[n / perNetwork] + std::to_string(2 + n % perNetwork);
        if (!db.queryOne("SELECT 1 AS taken FROM hosts WHERE name = ?1 OR "
                         "substr(name, 1, length(?1) + 1) = ?1 || ':'",
                         {ip}))
            return ip + ":3389";
    }
    return {};
}

// Letters and digits without the look-alikes 0/O, 1/l/I; upper, lower and digit each at
// least once, as the hosts' password rule asks.
std::string newHostPassword()
{
    static const std::string upper = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    static const std::string lower = "abcdefghijkmnpqrstuvwxyz";
    static const std::string digits = "23456789";
    const std::string all = upper + lower + digits;
    std::string password;
    password += upper[RandomText::below(static_cast<std::uint32_t>(upper.size()))];
    password += lower[RandomText::below(static_cast<std::uint32_t>(lower.size()))];
    password += digits[RandomText::below(static_cast<std::uint32_t>(digits.size()))];
    while (password.size() < 10)
        password += all[RandomText::below(static_cast<std::uint32_t>(all.size()))];
    // The fixed classes would otherwise always lead.
    for (std::size_t i = password.size() - 1; i > 0; --i)
        std::swap(password[i], password[RandomText::below(static_cast<std::uint32_t>(i + 1))]);
    return password;
}

std::optional<DbRow> findProduct(Database &db, const std::string &productId)
{
    const auto id = RecordId::parse(productId);
    if (!id)
        return std::nullopt;
    return db.queryOne("SELECT p.id, p.name, p.price_day_cents, p.price_month_cents, "
                       "p.price_year_cents, t.name AS type_name "
                       "FROM products p JOIN product_types t ON t.id = p.type_id WHERE p.id = ?1",
                       {*id});
}

std::optional<DbRow> findOs(Database &db, std::int64_t productId, const std::string &osId)
{
    const auto id = RecordId::parse(osId);
    if (!id)
        return std::nullopt;
    return db.queryOne("SELECT id, name FROM os_images WHERE id = ?1 AND product_id = ?2",
                       {*id, productId});
}

} // namespace

OrderOutcome OrderDesk::buy(std::int64_t accountId, const PurchaseRequest &request)
{
    return inTransaction(m_context.db, [&] { return tryBuy(accountId, request); });
}

OrderOutcome OrderDesk::renew(std::int64_t accountId, const std::string &periodCode,
                              const std::string &hostId)
{
    return inTransaction(m_context.db, [&] { return tryRenew(accountId, periodCode, hostId); });
}

std::optional<DbRow> OrderDesk::renewalQuote(std::int64_t accountId, const std::string &hostId)
{
    const auto id = RecordId::parse(hostId);
    if (!id)
        return std::nullopt;
    return m_context.db.queryOne(
        "SELECT h.id, h.status, h.start_time, h.end_time, p.name AS product_name, "
        "p.price_day_cents, p.price_month_cents, p.price_year_cents "
        "FROM hosts h LEFT JOIN products p ON p.id = h.product_id "
        "WHERE h.id = ?1 AND h.account_id = ?2",
        {*id, accountId});
}

std::optional<OrderOutcome> OrderDesk::planPurchase(const PurchaseRequest &request, Plan &plan)
{
    const auto period = RentalPeriod::fromCode(request.periodCode);
    const auto count = periodCount(request.duration);
    if (!period || !count)
        return refused("购买时长参数错误");
    const auto product = findProduct(m_context.db, request.productId);
    if (!product)
        return refused("产品不存在");
    const auto os = findOs(m_context.db, product->integer("id"), request.osId);
    if (!os)
        return refused("请选择该产品支持的操作系统");
    if (product->isNull(period->priceColumn()))
        return refused("该产品不支持此购买时长");
    plan.start = LocalTime::fromEpoch(m_context.clock());
    plan.end = period->after(plan.start, *count);
    if (plan.end > plan.start.plusYears(maxYearsAhead))
        return refused("购买时长超出上限");
    plan.cents = product->integer(period->priceColumn()) * *count;
    plan.note = "购买 " + product->text("name") + " " + period->label(*count);
    plan.item = *product;
    plan.os = os->text("name");
    return std::nullopt;
}

OrderOutcome OrderDesk::tryBuy(std::int64_t accountId, const PurchaseRequest &request)
{
    Plan plan;
    if (auto refusal = planPurchase(request, plan))
        return *refusal;
    Ledger ledger(m_context.db);
    if (ledger.balance(accountId).value_or(0) < plan.cents)
        return refused("余额不足，请先充值");
    if (m_context.db.modify("UPDATE products SET stock = stock - 1 WHERE id = ?1 AND stock > 0",
                            {plan.item.integer("id")}) != 1)
        return refused("该产品库存不足");
    if (!ledger.debit(accountId, plan.cents, "购买", plan.note, plan.start.text()) ||
        !insertHost(accountId, plan))
        return refused(failedText);
    return {true, "开通成功"};
}

bool OrderDesk::insertHost(std::int64_t accountId, const Plan &plan)
{
    const std::string address = newHostAddress(m_context.db);
    return !address.empty() &&
           m_context.db.insert(
               "INSERT INTO hosts(account_id, product_id, name, password, os, status, "
               "after_sales, type_name, start_time, end_time, paid_cents) "
               "VALUES(?1, ?2, ?3, ?4, ?5, '运行中', '小云', ?6, ?7, ?8, ?9)",
               {accountId, plan.item.integer("id"), address, newHostPassword(), plan.os,
                plan.item.text("type_name"), plan.start.text(), plan.end.text(), plan.cents}) != 0;
}

std::optional<OrderOutcome> OrderDesk::planRenewal(std::int64_t accountId,
                                                   const std::string &periodCode,
                                                   const std::string &hostId, Plan &plan)
{
    const auto host = renewalQuote(accountId, hostId);
    if (!host)
        return refused("主机不存在");
    const auto period = RentalPeriod::fromCode(periodCode);
    if (!period)
        return refused("续费时长参数错误");
    // A host whose product is gone, or a period the product does not offer, has no price.
    if (host->isNull(period->priceColumn()))
        return refused("该主机不支持此续费时长");
    plan.start = LocalTime::fromEpoch(m_context.clock());
    const LocalTime currentEnd = LocalTime::parse(host->text("end_time")).value_or(plan.start);
    plan.end = period->after(std::max(plan.start, currentEnd), 1);
    if (plan.end > plan.start.plusYears(maxYearsAhead))
        return refused("续费后的到期时间不能超过" + std::to_string(maxYearsAhead) + "年");
    plan.cents = host->integer(period->priceColumn());
    plan.note = "续费 " + host->text("product_name") + " " + period->label(1);
    plan.item = *host;
    return std::nullopt;
}

OrderOutcome OrderDesk::tryRenew(std::int64_t accountId, const std::string &periodCode,
                                 const std::string &hostId)
{
    Plan plan;
    if (auto refusal = planRenewal(accountId, periodCode, hostId, plan))
        return *refusal;
    Ledger ledger(m_context.db);
    if (ledger.balance(accountId).value_or(0) < plan.cents)
        return refused("余额不足");
    // A host that had run out comes back with the renewal.
    if (!ledger.debit(accountId, plan.cents, "续费", plan.note, plan.start.text()) ||
        m_context.db.modify("UPDATE hosts SET end_time = ?2, paid_cents = paid_cents + ?3, "
                            "status = CASE status WHEN '已到期' THEN '运行中' ELSE status END "
                            "WHERE id = ?1",
                            {plan.item.integer("id"), plan.end.text(), plan.cents}) != 1)
        return refused(failedText);
    return {true, "1000"};
}

} // namespace refservice
