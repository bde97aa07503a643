#include "AccountRoutes.h"

#include "HostRoutes.h"
#include "ImageFactory.h"
#include "ProfileRoutes.h"
#include "RandomText.h"
#include "RegistrationRoutes.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"
#include "SessionStore.h"
#include "SignInService.h"

#include <memory>

namespace refservice {

namespace {

constexpr std::size_t captchaDigits = 4;

// Only a successful sign-in leaves the session signed in. Success moves the account onto a
// new session id unless the session already belongs to it: the periodic session check must
// not multiply sessions, and an id fixed before the sign-in must not gain the account.
void settleSession(SessionStore &sessions, const SessionData &session,
                   const SignInService::Outcome &outcome, httplib::Response &res)
{
    if (outcome.code != "1000") {
        sessions.signOut(session.id);
        return;
    }
    if (session.accountId == outcome.accountId)
        return;
    const SessionData fresh = sessions.reissue(session.id, outcome.accountId);
    res.headers.erase("Set-Cookie");
    res.set_header("Set-Cookie", SessionStore::setCookieValue(fresh.id));
}

// The picture's text is taken before anything else is judged, so one picture answers one
// attempt whatever that attempt's outcome.
void signInWithCaptcha(SignInService &service, SessionStore &sessions, const httplib::Request &req,
                       httplib::Response &res, const SessionData &session)
{
    const FormFields form =
        formFields(req, {"username", "password", "captcha", "khdkey", "zd", "ver"});
    const std::string expected = sessions.takeCaptcha(session.id);
    SignInService::Outcome outcome;
    if (service.underMaintenance())
        outcome = {"500"};
    else if (expected.empty() || form.value("captcha") != expected)
        outcome = {"1002"};
    else
        outcome = service.check(form.value("username"), form.value("password"));
    settleSession(sessions, session, outcome, res);
    replyCode(res, outcome.code);
}

void signInWithKey(SignInService &service, SessionStore &sessions, const httplib::Request &req,
                   httplib::Response &res, const SessionData &session)
{
    const FormFields form = formFields(req, {"username", "password", "khdkey", "zd", "ver"});
    const SignInService::Outcome outcome =
        service.check(form.value("username"), form.value("password"));
    settleSession(sessions, session, outcome, res);
    replyCode(res, outcome.code);
}

void installSignInRoutes(RouteTable &routes, ServiceContext &context)
{
    auto service = std::make_shared<SignInService>(context);
    SessionStore &sessions = context.sessions;
    routes.post("/user/loginpost", RouteTable::Access::Open,
                [service, &sessions](const httplib::Request &req, httplib::Response &res,
                                     const SessionData &session) {
                    signInWithCaptcha(*service, sessions, req, res, session);
                });
    routes.post("/user/khdloginpd", RouteTable::Access::Open,
                [service, &sessions](const httplib::Request &req, httplib::Response &res,
                                     const SessionData &session) {
                    signInWithKey(*service, sessions, req, res, session);
                });
    routes.getOrPost(
        "/user/logout.asp", RouteTable::Access::Open,
        [&sessions](const httplib::Request &, httplib::Response &res, const SessionData &session) {
            // The session and its captcha stay: the client loads the picture
            // before it signs out ahead of every sign-in.
            sessions.signOut(session.id);
            replyText(res, "<html><body>您已安全退出。</body></html>");
        });
    routes.get(
        "/user/captcha", RouteTable::Access::Open,
        [&sessions](const httplib::Request &, httplib::Response &res, const SessionData &session) {
            const std::string digits = RandomText::digits(captchaDigits);
            sessions.setCaptcha(session.id, digits);
            replyPng(res, ImageFactory::captchaPng(digits));
            res.set_header("Cache-Control", "no-store");
        });
}

} // namespace

void installAccountRoutes(RouteTable &routes, ServiceContext &context)
{
    installSignInRoutes(routes, context);
    installRegistrationRoutes(routes, context);
    installProfileRoutes(routes, context);
    installHostRoutes(routes, context);
}

} // namespace refservice
