#pragma once

#include <string>

namespace refservice {

class DbRow;

// What a host is at one moment, worked out from its row each time it is asked for, so that
// expiry and the end of a transitional state need no background job.
//
// The shown status is "已退款" after a refund, "已到期" once end_time has passed, and the
// stored power state ("运行中", "已关机") otherwise. A transitional text such as "重启中" or
// "重装中" is kept in `zt` until zt_until (a `zt` without zt_until stays until it is
// cleared); it is given only for a host that is neither refunded nor expired.
struct HostState
{
    std::string status;
    std::string zt; // empty when no transitional state applies
    bool refunded = false;
    bool expired = false;

    static HostState of(const DbRow &host, const std::string &nowText);

    bool busy() const { return !zt.empty(); }
    // Restart, reinstall and password changes need a host that is not refunded, expired or
    // in the middle of another operation.
    bool acceptsOperations() const { return !refunded && !expired && !busy(); }
};

} // namespace refservice
