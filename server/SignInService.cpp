#include "SignInService.h"

#include "Database.h"
#include "ServiceContext.h"
#include "ServiceOptions.h"

namespace refservice {

SignInService::SignInService(ServiceContext &context)
    : m_context(context), m_accounts(context.db), m_limiter(context.db, context.clock)
{}

bool SignInService::underMaintenance()
{
    return m_context.options.maintenance || m_context.db.setting("maintenance") == "1";
}

SignInService::Outcome SignInService::check(std::string_view username, std::string_view password)
{
    if (underMaintenance())
        return {"500"};
    // A locked name is refused before its password is looked at, so the lockout cannot be
    // used to keep guessing.
    if (m_limiter.isLocked(username))
        return {"1003"};
    const auto account = m_accounts.authenticate(username, password);
    if (!account) {
        m_limiter.recordFailure(username);
        return {"1001"};
    }
    m_limiter.clear(username);
    return {"1000", account->integer("id")};
}

} // namespace refservice
