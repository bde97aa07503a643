#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The signed-in account's name ("/user/data/usernmae") and profile ("/user/userinfo"),
// each an object whose `data` member holds the fields.
void installProfileRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
