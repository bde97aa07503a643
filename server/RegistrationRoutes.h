#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// What a visitor without a session may do about an account: ask for an SMS code and register
// ("/user/data/Register?act=yzm" and "?act=reg"), have the password sent again
// ("/page/GetPasswd/GetPasswd") and read how recovery works ("/user/findpwd/index.html").
void installRegistrationRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
