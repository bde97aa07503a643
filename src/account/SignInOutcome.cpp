#include "account/SignInOutcome.h"

namespace cloud {

namespace {

struct OutcomeRow
{
    std::string_view reply;
    SignInOutcome::Kind kind;
    std::string_view caption; // empty: the flow's own caption for a wrong account
};

// The service's reply codes and what the button says about them; the leading blanks
// leave room for the busy picture on the left of the button.
constexpr OutcomeRow kOutcomes[] = {
    {"1000", SignInOutcome::Kind::Success, "    登录成功"},
    {"1001", SignInOutcome::Kind::Failure, {}},
    {"1003", SignInOutcome::Kind::Failure, "    登录次数过多"},
    {"1002", SignInOutcome::Kind::Failure, "    验证码错误"},
    {"", SignInOutcome::Kind::Failure, "    网络链接失败"}, // no reply at all
    {"500", SignInOutcome::Kind::Failure, "    平台维护中"},
};

} // namespace

SignInOutcome SignInOutcome::judge(std::string_view reply, std::string_view wrongAccountCaption)
{
    for (const OutcomeRow &row : kOutcomes) {
        if (row.reply != reply)
            continue;
        const std::string_view caption = row.caption.empty() ? wrongAccountCaption : row.caption;
        return {row.kind, std::string(caption)};
    }
    return {};
}

} // namespace cloud
