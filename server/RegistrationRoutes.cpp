#include "RegistrationRoutes.h"

#include "AccountStore.h"
#include "PasswordRules.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceClock.h"
#include "ServiceContext.h"
#include "SmsCodes.h"

#include <cstdio>

namespace refservice {

namespace {

constexpr const char *registration = "reg";

// "1000" sent; "1001" not a mobile number; "1003" the number has an account already;
// "1002" a code was sent to it less than a minute ago.
std::string sendCode(ServiceContext &context, const FormFields &form)
{
    const std::string mobile = form.value("mobi");
    if (!PasswordRules::isMobile(mobile))
        return "1001";
    if (AccountStore(context.db).byName(mobile))
        return "1003";
    SmsCodes codes(context.db, context.clock);
    if (!codes.mayIssue(mobile, registration))
        return "1002";
    return codes.issue(mobile, registration).empty() ? "1009" : "1000";
}

// The cheap checks come first; the SMS code is spent only by a registration that would
// otherwise succeed.
std::string registerAccount(ServiceContext &context, const FormFields &form)
{
    const std::string mobile = form.value("mobi");
    const std::string password = form.value("password");
    if (!PasswordRules::isMobile(mobile))
        return "1004";
    if (!PasswordRules::isPlain(password))
        return "1005";
    if (PasswordRules::hasDigitRun(password))
        return "1008";
    AccountStore accounts(context.db);
    if (accounts.byName(mobile))
        return "1003";
    switch (SmsCodes(context.db, context.clock).use(mobile, registration, form.value("captcha"))) {
    case SmsCodes::Check::NoCode:
        return "1001";
    case SmsCodes::Check::Wrong:
        return "1002";
    case SmsCodes::Check::Expired:
        return "1006";
    case SmsCodes::Check::Valid:
        break;
    }
    return accounts.create(mobile, password, context.clock.nowText()) != 0 ? "1000" : "1003";
}

// Nothing is changed here: a new password goes out only through the SMS gateway, which this
// service does not have, so the request is logged. Anybody may ask, so it must not reset
// the password of someone else's account.
std::string recoverPassword(ServiceContext &context, const FormFields &form)
{
    const std::string name = form.value("username");
    const auto account = AccountStore(context.db).byName(name);
    if (!account || account->text("mobile") != form.value("mobi"))
        return "1015";
    std::fprintf(stderr, "refservice: SMS to %s: a new password for the account would be sent.\n",
                 name.c_str());
    return "1000";
}

std::string recoveryPage()
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"gbk\"><title>找回密码</title></head>\n"
           "<body style=\"font-family:sans-serif;margin:40px\">\n<h1>找回密码</h1>\n"
           "<p>账号就是注册时使用的手机号码。在客户端的“找回密码”页填写账号和手机号码，"
           "核对无误后新密码将以短信发送到该手机。</p>\n"
           "<p>手机号码已停用时，请联系在线客服（工作时间 9:00-22:00）核实身份后重置密码。</p>\n"
           "<p><a href=\"/\">返回首页</a></p>\n</body></html>\n";
}

} // namespace

void installRegistrationRoutes(RouteTable &routes, ServiceContext &context)
{
    routes.post(
        "/user/data/Register", RouteTable::Access::Open,
        [&context](const httplib::Request &req, httplib::Response &res, const SessionData &) {
            const std::string act = queryFields(req).value("act");
            if (act == "yzm")
                replyCode(res, sendCode(context, formFields(req, {"mobi"})));
            else if (act == "reg")
                replyCode(res, registerAccount(context,
                                               formFields(req, {"mobi", "password", "captcha"})));
            else
                res.status = 404;
        });
    routes.post(
        "/page/GetPasswd/GetPasswd", RouteTable::Access::Open,
        [&context](const httplib::Request &req, httplib::Response &res, const SessionData &) {
            replyCode(res, recoverPassword(context, formFields(req, {"username", "mobi"})));
        });
    routes.get("/user/findpwd/index.html", RouteTable::Access::Open,
               [](const httplib::Request &, httplib::Response &res, const SessionData &) {
                   replyText(res, recoveryPage());
               });
}

} // namespace refservice
