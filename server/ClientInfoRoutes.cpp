#include "ClientInfoRoutes.h"

#include "Database.h"
#include "ImageFactory.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

#include <map>
#include <memory>
#include <string>

namespace refservice {

namespace {

// act value -> settings key. The tips ("gg") are stored one per line, lines separated by
// CR LF and no separator after the last, which is how the client splits them.
const std::map<std::string, std::string, std::less<>> &settingForAct()
{
    static const std::map<std::string, std::string, std::less<>> keys = {
        {"ver", "version"}, {"biaoti", "title"}, {"help", "help"}, {"gg", "gg"}, {"tcgg", "tcgg"}};
    return keys;
}

void installImage(RouteTable &routes, const std::string &path, std::string png)
{
    auto bytes = std::make_shared<const std::string>(std::move(png));
    routes.get(path, RouteTable::Access::Open,
               [bytes](const httplib::Request &, httplib::Response &res, const SessionData &) {
                   replyPng(res, *bytes);
               });
}

} // namespace

void installClientInfoRoutes(RouteTable &routes, ServiceContext &context)
{
    Database &db = context.db;
    // An unknown or missing act answers an empty text, like the service's script does.
    routes.get("/khd", RouteTable::Access::Open,
               [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                   const auto it = settingForAct().find(queryFields(req).value("act"));
                   replyText(res,
                             it == settingForAct().end() ? std::string() : db.setting(it->second));
               });
    installImage(routes, "/img/logo.png", ImageFactory::logoPng());
    installImage(routes, "/img/vx.png", ImageFactory::vxPng());
    installImage(routes, "/img/vx2.png", ImageFactory::vx2Png());
}

} // namespace refservice
