#include "SignInLimiter.h"

#include "Database.h"
#include "ServiceClock.h"

namespace refservice {

std::string SignInLimiter::key(std::string_view username)
{
    // A name longer than any account name is still counted, under its first 64 bytes, so a
    // flood of huge names cannot fill the table.
    return std::string(username.substr(0, 64));
}

bool SignInLimiter::isLocked(std::string_view username)
{
    const auto row =
        m_db.queryOne("SELECT COUNT(*) AS n FROM sign_in_failures WHERE username = ? AND time > ?",
                      {key(username), m_clock.nowText(-window)});
    return row && row->integer("n") >= maxFailures;
}

void SignInLimiter::recordFailure(std::string_view username)
{
    m_db.transaction([&] {
        // Failures that left the window are forgotten as new ones arrive.
        m_db.execute("DELETE FROM sign_in_failures WHERE time <= ?", {m_clock.nowText(-window)});
        return m_db.insert("INSERT INTO sign_in_failures(username, time) VALUES(?, ?)",
                           {key(username), m_clock.nowText()}) != 0;
    });
}

void SignInLimiter::clear(std::string_view username)
{
    m_db.execute("DELETE FROM sign_in_failures WHERE username = ?", {key(username)});
}

} // namespace refservice
