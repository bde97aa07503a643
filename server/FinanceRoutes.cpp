#include "FinanceRoutes.h"

#include "CardRedeemer.h"
#include "Database.h"
#include "Money.h"
#include "PaymentRoutes.h"
#include "RealNameVerifier.h"
#include "RecordId.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

#include "data/TextUtil.h"

#include <algorithm>
#include <memory>

namespace refservice {

namespace {

using Json = nlohmann::json;

constexpr std::int64_t defaultLimit = 5;
constexpr std::int64_t maxLimit = 50;
constexpr std::int64_t maxPage = 1000000;

std::int64_t queryNumber(const FormFields &query, const char *name, std::int64_t fallback,
                         std::int64_t max)
{
    return std::min(RecordId::parse(query.value(name)).value_or(fallback), max);
}

// The client counts the rows of a page by the occurrences of "attime" in the whole reply,
// in any letter case; a record text must not add a row of its own.
std::string withoutRowMarker(const std::string &text)
{
    std::string out;
    std::size_t from = 0;
    std::size_t pos = 0;
    while ((pos = cloud::findNoCase(text, "attime", from)) != std::string::npos) {
        out.append(text, from, pos + 2 - from).append("-");
        from = pos + 2;
    }
    return out.append(text, from, std::string::npos);
}

Json recordJson(const DbRow &row)
{
    const std::int64_t cents = row.integer("amount_cents");
    return {{"id", row.integer("id")},
            {"attime", row.text("time")},
            {"shouru", cents > 0 ? Money::yuanText(cents) : "0"},
            {"zhichu", cents < 0 ? Money::yuanText(-cents) : "0"},
            {"zt", "成功"},
            {"forwhat", withoutRowMarker(row.text("note"))}};
}

Json moneyPage(Database &db, std::int64_t accountId, const FormFields &query)
{
    const std::int64_t page = queryNumber(query, "page", 1, maxPage);
    const std::int64_t limit = queryNumber(query, "limit", defaultLimit, maxLimit);
    const auto total =
        db.queryOne("SELECT COUNT(*) AS n FROM money_records WHERE account_id = ?1", {accountId});
    Json data = Json::array();
    for (const DbRow &row : db.query("SELECT id, amount_cents, note, time FROM money_records "
                                     "WHERE account_id = ?1 ORDER BY time DESC, id DESC "
                                     "LIMIT ?2 OFFSET ?3",
                                     {accountId, limit, (page - 1) * limit}))
        data.push_back(recordJson(row));
    return Json{
        {"code", 0}, {"msg", ""}, {"count", total ? total->integer("n") : 0}, {"data", data}};
}

void installMoneyList(RouteTable &routes, Database &db)
{
    routes.getOrPost(
        "/user/data/moneylist", RouteTable::Access::SignedIn,
        [&db](const httplib::Request &req, httplib::Response &res, const SessionData &session) {
            replyJson(res, moneyPage(db, session.accountId, queryFields(req)));
        });
}

void installCards(RouteTable &routes, ServiceContext &context)
{
    auto redeemer = std::make_shared<CardRedeemer>(context);
    routes.post("/user/pay/czkzf", RouteTable::Access::SignedIn,
                [redeemer](const httplib::Request &req, httplib::Response &res,
                           const SessionData &session) {
                    const FormFields form = formFields(req);
                    replyText(res, redeemer->redeem(session.accountId, form.value("cid"),
                                                    form.value("cpass")));
                });
}

void installRealName(RouteTable &routes, Database &db)
{
    routes.post(
        "/user/sm2", RouteTable::Access::SignedIn,
        [&db](const httplib::Request &req, httplib::Response &res, const SessionData &session) {
            const FormFields form = formFields(req);
            replyCode(res, RealNameVerifier(db).verify(session.accountId, form.value("truename"),
                                                       form.value("perid"), form.value("mobi")));
        });
}

} // namespace

void installFinanceRoutes(RouteTable &routes, ServiceContext &context)
{
    installMoneyList(routes, context.db);
    installPaymentRoutes(routes, context);
    installCards(routes, context);
    installRealName(routes, context.db);
}

} // namespace refservice
