#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace refservice {

class Database;
class ServiceClock;

// Codes sent by SMS to prove a mobile number. No SMS gateway exists here: the text that
// would be sent is written to the service log (stderr) instead.
//
// A code is 6 digits, valid for `validity`, used once. A number gets a new code at most once
// per `resendPause`. Each wrong try counts against the number's latest code; after
// `maxTries` wrong tries that code is spent, so a code cannot be found by trying them all.
class SmsCodes
{
public:
    enum class Check {
        Valid,   // matched and now spent
        NoCode,  // the number was never sent a code for this purpose
        Wrong,   // other digits, or the latest code is spent already
        Expired, // the right digits, too late
    };

    static constexpr std::chrono::minutes validity{5};
    static constexpr std::chrono::seconds resendPause{60};
    static constexpr int maxTries = 5;

    SmsCodes(Database &db, ServiceClock &clock) : m_db(db), m_clock(clock) {}

    // False while the number's last code is younger than resendPause.
    bool mayIssue(std::string_view mobile, std::string_view purpose);
    // Stores a new code and "sends" it. Gives the code; empty when it could not be stored.
    std::string issue(std::string_view mobile, std::string_view purpose);
    Check use(std::string_view mobile, std::string_view purpose, std::string_view code);

private:
    Database &m_db;
    ServiceClock &m_clock;
};

} // namespace refservice
