#include "PaymentRoutes.h"

#include "Money.h"
#include "PaymentDesk.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"
#include "ServiceOptions.h"

#include <memory>
#include <string>

namespace refservice {

namespace {

// The Host header names the address the client reached us at; anything but a plain host name
// or address with an optional port is not put into a link.
bool plainHost(const std::string &host)
{
    if (host.empty() || host.size() > 255)
        return false;
    for (const char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':' || c == '[' ||
                        c == ']';
        if (!ok)
            return false;
    }
    return true;
}

std::string pageAddress(const httplib::Request &req, const ServiceContext &context,
                        const std::string &number)
{
    std::string host = req.get_header_value("Host");
    if (!plainHost(host))
        host = context.options.listenHost + ":" + std::to_string(context.options.listenPort);
    return "http://" + host + "/pay/order?no=" + number;
}

// 13800000000 shows as 138****0000; other texts show as stars only.
std::string maskedMobile(const std::string &mobile)
{
    bool digits = mobile.size() == 11;
    for (const char c : mobile)
        digits = digits && c >= '0' && c <= '9';
    return digits ? mobile.substr(0, 3) + "****" + mobile.substr(7) : std::string("****");
}

std::string page(const std::string &body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"gbk\"><title>在线充值</title></head>\n"
           "<body style=\"font-family:sans-serif;margin:40px\">\n<h1>在线充值</h1>\n" +
           body + "\n</body></html>\n";
}

std::string orderPage(const PaymentOrder &order)
{
    std::string body = "<p>订单号：" + order.number + "</p>\n<p>充值账号：" +
                       maskedMobile(order.mobile) + "</p>\n<p>支付金额：￥" +
                       Money::yuanText(order.amountCents) + "</p>\n";
    if (order.status == "paid")
        return page(body + "<p>该订单已支付。</p>");
    if (order.expired)
        return page(body + "<p>该订单已过期，请在客户端重新发起充值。</p>");
    return page(body +
                "<form method=\"post\" action=\"/pay/confirm\">"
                "<input type=\"hidden\" name=\"no\" value=\"" +
                order.number + "\"><button type=\"submit\">确认支付</button></form>");
}

std::string confirmationText(PaymentDesk::Confirmation result)
{
    switch (result) {
    case PaymentDesk::Confirmation::Credited:
        return "支付成功，金额已充入您的账户余额。";
    case PaymentDesk::Confirmation::AlreadyPaid:
        return "该订单已支付，请勿重复支付。";
    case PaymentDesk::Confirmation::Expired:
        return "该订单已过期，请在客户端重新发起充值。";
    case PaymentDesk::Confirmation::Unknown:
        return "订单不存在。";
    case PaymentDesk::Confirmation::Failed:
        break;
    }
    return "支付失败，请稍后再试。";
}

void replyPage(httplib::Response &res, int status, const std::string &html)
{
    replyText(res, html);
    res.status = status;
}

} // namespace

void installPaymentRoutes(RouteTable &routes, ServiceContext &context)
{
    auto desk = std::make_shared<PaymentDesk>(context);
    routes.post("/user/zfbzf", RouteTable::Access::SignedIn,
                [desk, &context](const httplib::Request &req, httplib::Response &res,
                                 const SessionData &session) {
                    const FormFields form = formFields(req);
                    const std::string number = desk->create(
                        session.accountId, form.value("ORDERMONEY"), form.value("USERNAME"));
                    // An empty answer is what the client reads as a failed top-up.
                    replyText(res, number.empty() ? "" : pageAddress(req, context, number));
                });
    routes.get("/pay/order", RouteTable::Access::Open,
               [desk](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                   const auto order = desk->find(queryFields(req).value("no"));
                   if (order)
                       replyPage(res, 200, orderPage(*order));
                   else
                       replyPage(res, 404, page("<p>订单不存在。</p>"));
               });
    routes.post("/pay/confirm", RouteTable::Access::Open,
                [desk](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    const auto result = desk->confirm(formFields(req).value("no"));
                    const int status = result == PaymentDesk::Confirmation::Unknown ? 404 : 200;
                    replyPage(res, status, page("<p>" + confirmationText(result) + "</p>"));
                });
}

} // namespace refservice
