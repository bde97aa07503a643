#include "OrderRoutes.h"

#include "CatalogueRoutes.h"
#include "Money.h"
#include "OrderDesk.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

#include <memory>

namespace refservice {

namespace {

using Json = nlohmann::json;

Json renewalJson(const std::optional<DbRow> &host)
{
    Json data = Json::array();
    if (host)
        data.push_back({{"id", host->integer("id")},
                        {"day", Money::priceText(*host, "price_day_cents")},
                        {"month", Money::priceText(*host, "price_month_cents")},
                        {"Annual", Money::priceText(*host, "price_year_cents")},
                        {"starttime", host->text("start_time")},
                        {"endtime", host->text("end_time")}});
    return Json{{"code", 0}, {"msg", ""}, {"count", data.size()}, {"data", data}};
}

} // namespace

void installOrderRoutes(RouteTable &routes, ServiceContext &context)
{
    installCatalogueRoutes(routes, context);
    auto desk = std::make_shared<OrderDesk>(context);
    routes.post(
        "/user/data/buy", RouteTable::Access::SignedIn,
        [desk](const httplib::Request &req, httplib::Response &res, const SessionData &session) {
            const FormFields form = formFields(req);
            const OrderOutcome outcome =
                desk->buy(session.accountId, {form.value("year"), form.value("id"),
                                              form.value("osid"), form.value("duration")});
            replyJson(res, {{"status", outcome.ok ? 200 : 400}, {"data", outcome.message}});
        });
    routes.post(
        "/user/xfjgb", RouteTable::Access::SignedIn,
        [desk](const httplib::Request &req, httplib::Response &res, const SessionData &session) {
            replyJson(res, renewalJson(
                               desk->renewalQuote(session.accountId, formFields(req).value("id"))));
        });
    routes.post(
        "/user/data/xfbuy", RouteTable::Access::SignedIn,
        [desk](const httplib::Request &req, httplib::Response &res, const SessionData &session) {
            const FormFields form = formFields(req);
            replyText(res,
                      desk->renew(session.accountId, form.value("year"), form.value("id")).message);
        });
}

} // namespace refservice
