#include "SiteRoutes.h"

#include "Database.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

#include <string>

namespace refservice {

namespace {

// Service texts come from the database; angle brackets and ampersands must not turn into
// markup on the pages.
std::string escapeHtml(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string page(const std::string &title, const std::string &body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"gbk\"><title>" + title +
           "</title></head>\n<body style=\"font-family:sans-serif;margin:40px\">\n" + body +
           "\n</body></html>\n";
}

std::string homePage(Database &db)
{
    const std::string title = escapeHtml(db.setting("title"));
    return page(title, "<img src=\"/img/logo.png\" alt=\"\">\n<h1>" + title + "</h1>\n<p>" +
                           escapeHtml(db.setting("tcgg")) +
                           "</p>\n<p>下载客户端，登录后即可管理您的云服务器。</p>\n"
                           "<p><a href=\"/user/login.html\">用户登录</a></p>");
}

std::string signInPage(Database &db)
{
    const std::string title = escapeHtml(db.setting("title"));
    return page("用户登录 - " + title,
                "<h1>用户登录</h1>\n<p>您尚未登录或登录已超时，请使用客户端重新登录。</p>\n"
                "<p><a href=\"/\">返回首页</a></p>");
}

} // namespace

void installSiteRoutes(RouteTable &routes, ServiceContext &context)
{
    Database &db = context.db;
    routes.get("/", RouteTable::Access::Open,
               [&db](const httplib::Request &, httplib::Response &res, const SessionData &) {
                   replyText(res, homePage(db));
               });
    routes.get(signInPagePath, RouteTable::Access::Open,
               [&db](const httplib::Request &, httplib::Response &res, const SessionData &) {
                   replyText(res, signInPage(db));
               });
}

} // namespace refservice
