#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The finance area: the money records ("/user/data/moneylist", pages of `limit` records,
// newest first), the online top-up (PaymentRoutes), prepaid cards ("/user/pay/czkzf",
// answered with a message text) and the real-name verification ("/user/sm2", a code).
void installFinanceRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
