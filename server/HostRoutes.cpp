#include "HostRoutes.h"

#include "AccountStore.h"
#include "HostOperations.h"
#include "HostRefund.h"
#include "HostStore.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"
#include "SignInLimiter.h"

#include "data/TextUtil.h"

#include <algorithm>

namespace refservice {

namespace {

constexpr std::int64_t defaultPageSize = 5;
constexpr std::int64_t maxPageSize = 50;
constexpr std::int64_t maxPage = 1000000;

// A page number or size from the query: its leading digits, kept within [low, high]; `fallback`
// when there are none.
std::int64_t boundedNumber(const std::string &text, std::int64_t fallback, std::int64_t low,
                           std::int64_t high)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return fallback;
    return std::clamp(cloud::integerValue(text), low, high);
}

void hostList(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
              const SessionData &session)
{
    const FormFields query = queryFields(req);
    const std::int64_t page = boundedNumber(query.value("page"), 1, 1, maxPage);
    const std::int64_t limit = boundedNumber(query.value("limit"), defaultPageSize, 1, maxPageSize);
    replyJson(res, HostStore(context.db, context.clock).page(session.accountId, page, limit));
}

void restart(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
             const SessionData &session)
{
    const FormFields query = queryFields(req);
    const HostOperations::Status result =
        HostOperations(context.db, context.clock)
            .restart(session.accountId, query.value("id"), query.value("cz"));
    replyJson(res, {{"status", result.status}, {"data", result.message}});
}

void osList(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
            const SessionData &session)
{
    const FormFields form = formFields(req, {"id"});
    replyJson(res,
              HostStore(context.db, context.clock).osList(session.accountId, form.value("id")));
}

void reinstall(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
               const SessionData &session)
{
    const FormFields form = formFields(req, {"osid", "id"});
    replyCode(res, HostOperations(context.db, context.clock)
                       .reinstall(session.accountId, form.value("id"), form.value("osid")));
}

void hostPassword(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
                  const SessionData &session)
{
    const FormFields form = formFields(req, {"password", "id"});
    replyCode(res,
              HostOperations(context.db, context.clock)
                  .changePassword(session.accountId, form.value("id"), form.value("password")));
}

// The remark request repeats the account's name and password; they must be those of the
// signed-in account ("1001" otherwise). Wrong passwords count towards the sign-in lockout,
// so a borrowed session cannot be used to find the password.
bool confirmsAccount(ServiceContext &context, const FormFields &form, std::int64_t accountId)
{
    const std::string name = form.value("username");
    SignInLimiter limiter(context.db, context.clock);
    if (limiter.isLocked(name))
        return false;
    const auto account = AccountStore(context.db).authenticate(name, form.value("password"));
    if (!account) {
        limiter.recordFailure(name);
        return false;
    }
    return account->integer("id") == accountId;
}

void remark(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
            const SessionData &session)
{
    const FormFields form = formFields(req, {"username", "password", "id", "bz"});
    if (!confirmsAccount(context, form, session.accountId)) {
        replyCode(res, "1001");
        return;
    }
    replyCode(res, HostOperations(context.db, context.clock)
                       .setRemark(session.accountId, form.value("id"), form.value("bz")));
}

void refund(ServiceContext &context, const httplib::Request &req, httplib::Response &res,
            const SessionData &session)
{
    const FormFields query = queryFields(req);
    if (query.value("module") != "sqtk") {
        replyText(res, "错误：不支持的操作");
        return;
    }
    replyText(res,
              HostRefund(context.db, context.clock).request(session.accountId, query.value("id")));
}

using HostHandler = void (*)(ServiceContext &, const httplib::Request &, httplib::Response &,
                             const SessionData &);

RouteTable::Handler bound(ServiceContext &context, HostHandler handler)
{
    return [&context, handler](const httplib::Request &req, httplib::Response &res,
                               const SessionData &session) { handler(context, req, res, session); };
}

} // namespace

void installHostRoutes(RouteTable &routes, ServiceContext &context)
{
    constexpr auto signedIn = RouteTable::Access::SignedIn;
    routes.getOrPost("/user/data/vpslist", signedIn, bound(context, hostList));
    routes.getOrPost("/user/data/vpscz", signedIn, bound(context, restart));
    routes.post("/user/VPSIDos", signedIn, bound(context, osList));
    routes.post("/user/data/installos", signedIn, bound(context, reinstall));
    routes.post("/user/data/vpspassword", signedIn, bound(context, hostPassword));
    routes.post("/user/data/vpsbz", signedIn, bound(context, remark));
    routes.getOrPost("/user/ajax_tk_mng.asp", signedIn, bound(context, refund));
}

} // namespace refservice
