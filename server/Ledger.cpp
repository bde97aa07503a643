#include "Ledger.h"

#include "Database.h"

namespace refservice {

std::optional<std::int64_t> Ledger::balance(std::int64_t accountId)
{
    const auto row = m_db.queryOne("SELECT balance_cents FROM accounts WHERE id = ?1", {accountId});
    if (!row)
        return std::nullopt;
    return row->integer("balance_cents");
}

bool Ledger::credit(std::int64_t accountId, std::int64_t cents, const std::string &kind,
                    const std::string &note, const std::string &time)
{
    if (cents <= 0)
        return false;
    const int changed = m_db.modify(
        "UPDATE accounts SET balance_cents = balance_cents + ?2 WHERE id = ?1", {accountId, cents});
    return changed == 1 && record(accountId, cents, kind, note, time);
}

bool Ledger::debit(std::int64_t accountId, std::int64_t cents, const std::string &kind,
                   const std::string &note, const std::string &time)
{
    if (cents <= 0)
        return false;
    // The condition makes the check and the deduction one step.
    const int changed = m_db.modify("UPDATE accounts SET balance_cents = balance_cents - ?2 "
                                    "WHERE id = ?1 AND balance_cents >= ?2",
                                    {accountId, cents});
    return changed == 1 && record(accountId, -cents, kind, note, time);
}

bool Ledger::record(std::int64_t accountId, std::int64_t signedCents, const std::string &kind,
                    const std::string &note, const std::string &time)
{
    return m_db.insert("INSERT INTO money_records(account_id, amount_cents, kind, note, time) "
                       "VALUES(?1, ?2, ?3, ?4, ?5)",
                       {accountId, signedCents, kind, note, time}) != 0;
}

} // namespace refservice
