#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The prepaid card's exchange with the service, and what each answer means for the page.
namespace CardTopUpRequest {

// The button's caption while a card is redeemed and once the page is idle again. The
// leading blanks leave room for the busy picture on the button.
inline constexpr std::string_view kBusyCaption = "    正在充值中";
inline constexpr std::string_view kIdleCaption = "使用";

struct Outcome
{
    std::string_view reply; // the service's whole reply; empty for "anything else"
    bool success;
    std::string_view caption;
};

// The service's message texts are compared whole; anything else, an empty reply
// included, is a failure.
inline constexpr Outcome kOutcomes[] = {
    {"充值成功", true, "    充值成功"},
    {"卡号或卡密错误", false, "    卡号密码错误"},
};
inline constexpr Outcome kOtherReply = {{}, false, "    充值失败"};

// POST "/user/pay/czkzf" with cid = card number and cpass = card password, both as typed;
// redirects are followed. The reply as text. Blocks; call it on a worker.
std::string send(const std::string &cardNumber, const std::string &cardPassword);

const Outcome &outcomeOf(std::string_view reply);

} // namespace CardTopUpRequest
} // namespace cloud
