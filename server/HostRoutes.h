#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The signed-in account's hosts: the list ("/user/data/vpslist"), restart
// ("/user/data/vpscz"), the systems to install ("/user/VPSIDos") and the reinstall
// ("/user/data/installos"), the password ("/user/data/vpspassword"), the remark
// ("/user/data/vpsbz") and the refund ("/user/ajax_tk_mng.asp?module=sqtk").
void installHostRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
