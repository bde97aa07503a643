#pragma once

#include <cstdint>
#include <string>

namespace refservice {

class Database;

// The real-name verification of an account: a legal name, an identity number that passes
// its own checks, and the mobile number the account was registered with. Once verified, an
// account keeps its name; a second verification is refused.
class RealNameVerifier
{
public:
    static constexpr const char *verifiedCode = "1000";
    static constexpr const char *badNameCode = "1001";     // empty, too long or odd characters
    static constexpr const char *badNumberCode = "1002";   // not a valid identity number
    static constexpr const char *wrongMobileCode = "1003"; // not the account's mobile
    static constexpr const char *alreadyCode = "1004";     // the account is verified already
    static constexpr const char *failedCode = "1005";      // the service could not save it

    explicit RealNameVerifier(Database &db) : m_db(db) {}

    // `escapedName` as the client sends it (script escapes, "%25u" for "%u"). Gives the
    // result code.
    std::string verify(std::int64_t accountId, const std::string &escapedName,
                       const std::string &idNumber, const std::string &mobile);

    // The legal name in `escapedName`, trimmed; empty when it is no acceptable name:
    // 2 to 30 characters, none of them a control character, a digit or ASCII punctuation
    // other than blank, "." , "-" and the apostrophe.
    static std::string legalName(const std::string &escapedName);

private:
    Database &m_db;
};

} // namespace refservice
