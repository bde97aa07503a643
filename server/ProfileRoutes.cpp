#include "ProfileRoutes.h"

#include "AccountStore.h"
#include "MoneyText.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

namespace refservice {

namespace {

nlohmann::json userName(const DbRow &account)
{
    return {{"status", 200}, {"data", {{"username", account.text("mobile")}}}};
}

// VerificationResult is the number 1 for a verified account and 0 otherwise; the legal name
// is given only once it has been verified. The balance is a text with two decimals, so that
// no cent is lost to a binary fraction.
nlohmann::json profile(const DbRow &account)
{
    const bool verified = account.integer("verified") == 1;
    return {{"status", 200},
            {"data",
             {{"username", account.text("mobile")},
              {"VerificationResult", verified ? 1 : 0},
              {"truename", verified ? account.text("legal_name") : std::string()},
              {"usermoney", MoneyText::yuan(account.integer("balance_cents"))},
              {"mobi", account.text("mobile")},
              {"QQ", account.text("qq")},
              {"email", account.text("email")}}}};
}

// The session's account no longer exists (removed while signed in): an empty object, which
// the client reads as a missing user name.
void answerFor(ServiceContext &context, const SessionData &session, httplib::Response &res,
               nlohmann::json (*render)(const DbRow &))
{
    const auto account = AccountStore(context.db).byId(session.accountId);
    replyJson(res, account ? render(*account)
                           : nlohmann::json{{"status", 404}, {"data", nlohmann::json::object()}});
}

} // namespace

void installProfileRoutes(RouteTable &routes, ServiceContext &context)
{
    routes.get(
        "/user/data/usernmae", RouteTable::Access::SignedIn,
        [&context](const httplib::Request &, httplib::Response &res, const SessionData &session) {
            answerFor(context, session, res, userName);
        });
    routes.get(
        "/user/userinfo", RouteTable::Access::SignedIn,
        [&context](const httplib::Request &, httplib::Response &res, const SessionData &session) {
            answerFor(context, session, res, profile);
        });
}

} // namespace refservice
