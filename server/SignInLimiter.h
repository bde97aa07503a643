#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace refservice {

class Database;
class ServiceClock;

// Counts failed sign-ins per account name, so that passwords cannot be tried without end:
// after `maxFailures` failures within `window` the name is refused ("1003") until the
// oldest of them leaves the window. Names are counted whether an account has them or not,
// so the lockout tells nothing about which accounts exist.
class SignInLimiter
{
public:
    static constexpr int maxFailures = 5;
    static constexpr std::chrono::minutes window{10};

    SignInLimiter(Database &db, ServiceClock &clock) : m_db(db), m_clock(clock) {}

    bool isLocked(std::string_view username);
    void recordFailure(std::string_view username);
    // After a successful sign-in the earlier failures no longer count.
    void clear(std::string_view username);

private:
    static std::string key(std::string_view username);

    Database &m_db;
    ServiceClock &m_clock;
};

} // namespace refservice
