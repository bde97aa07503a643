#pragma once

#include <QUrl>

#include <string>
#include <string_view>

namespace cloud {

// The online top-up's exchange with the service.
namespace RechargeRequest {

// POST "/user/zfbzf" with ORDERMONEY = amount and USERNAME = account, both as typed;
// redirects are not followed. The reply is meant to be the payment page's address;
// empty when there is none. Blocks; call it on a worker.
std::string send(const std::string &account, const std::string &amount);

// The payment page to open for a reply: an absolute http or https address with a host
// (blanks around it do not count). Anything else — an error text, a path, a command,
// a file: or other scheme — gives an invalid QUrl, and nothing may be opened.
QUrl paymentPage(std::string_view reply);

} // namespace RechargeRequest
} // namespace cloud
