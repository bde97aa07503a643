#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The service's web pages: the home page "/" and the sign-in page that signed-out requests
// for "/user/" pages are sent to.
void installSiteRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
