#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// Online top-up: "/user/zfbzf" makes a payment order and answers the address of its page
// ("http://" + the host the client used + "/pay/order?no=" + the order number), or an empty
// text when the order is refused. "/pay/order" shows the order to a browser; its button posts
// to "/pay/confirm", which credits the balance once. Both pages are open to any browser; the
// order number is their key.
void installPaymentRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
