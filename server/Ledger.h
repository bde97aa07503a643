#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace refservice {

class Database;

// Money on an account: every change of the balance comes with its money record. Call the
// operations inside one Database::transaction together with the rest of the order, so that
// the balance, the record and whatever was bought change together or not at all.
class Ledger
{
public:
    explicit Ledger(Database &db) : m_db(db) {}

    // nullopt when the account does not exist.
    std::optional<std::int64_t> balance(std::int64_t accountId);
    // Adds `cents` (> 0) and records it as income.
    bool credit(std::int64_t accountId, std::int64_t cents, const std::string &kind,
                const std::string &note, const std::string &time);
    // Takes `cents` (> 0) and records it as expense; false, with nothing changed by it, when
    // the balance does not cover the amount.
    bool debit(std::int64_t accountId, std::int64_t cents, const std::string &kind,
               const std::string &note, const std::string &time);

private:
    bool record(std::int64_t accountId, std::int64_t signedCents, const std::string &kind,
                const std::string &note, const std::string &time);

    Database &m_db;
};

} // namespace refservice
