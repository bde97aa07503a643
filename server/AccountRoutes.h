#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The account's side of the service: sign-in ("/user/loginpost" with the picture captcha,
// "/user/khdloginpd" without it, which the client also repeats as its session check),
// sign-out ("/user/logout.asp") and the captcha picture ("/user/captcha"); then the
// registration, the profile and the host routes, which belong to the same area.
void installAccountRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
