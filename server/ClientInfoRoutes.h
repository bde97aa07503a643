#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// What the client asks before anybody signs in: "/khd?act=" + ver | biaoti | help | gg | tcgg
// and the pictures under "/img/".
void installClientInfoRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
