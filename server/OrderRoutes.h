#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The order area: the catalogue, the purchase of a host ("/user/data/buy", answered with a
// status object) and its renewal ("/user/xfjgb" for the prices, "/user/data/xfbuy" answered
// with "1000" or a message for the user).
void installOrderRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
