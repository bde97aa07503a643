#include "HostState.h"

#include "DbRow.h"

namespace refservice {

HostState HostState::of(const DbRow &host, const std::string &nowText)
{
    HostState state;
    state.refunded = !host.isNull("refund_time");
    state.expired = host.text("end_time") < nowText;
    if (state.refunded)
        state.status = "已退款";
    else if (state.expired)
        state.status = "已到期";
    else
        state.status = host.text("status");
    const bool overrideActive =
        !host.text("zt").empty() && (host.isNull("zt_until") || host.text("zt_until") > nowText);
    if (overrideActive && !state.refunded && !state.expired)
        state.zt = host.text("zt");
    return state;
}

} // namespace refservice
