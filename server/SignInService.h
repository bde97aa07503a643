#pragma once

#include "AccountStore.h"
#include "SignInLimiter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace refservice {

struct ServiceContext;

// Judges an account name and password the way both sign-in requests answer:
// "500" while the service is under maintenance (the --maintenance option or the setting
// "maintenance" = "1"), "1003" while the name is locked after too many failures, "1001"
// for a wrong name or password (counted as a failure), "1000" with the account otherwise.
class SignInService
{
public:
    struct Outcome
    {
        std::string code;
        std::int64_t accountId = 0;
    };

    explicit SignInService(ServiceContext &context);

    bool underMaintenance();
    Outcome check(std::string_view username, std::string_view password);

private:
    ServiceContext &m_context;
    AccountStore m_accounts;
    SignInLimiter m_limiter;
};

} // namespace refservice
