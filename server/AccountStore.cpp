#include "AccountStore.h"

#include "Database.h"
#include "PasswordHash.h"

namespace refservice {

std::optional<DbRow> AccountStore::byName(std::string_view mobile)
{
    return m_db.queryOne("SELECT * FROM accounts WHERE mobile = ?", {std::string(mobile)});
}

std::optional<DbRow> AccountStore::byId(std::int64_t id)
{
    return m_db.queryOne("SELECT * FROM accounts WHERE id = ?", {id});
}

std::optional<DbRow> AccountStore::authenticate(std::string_view name, std::string_view password)
{
    auto account = byName(name);
    if (!account)
        return std::nullopt;
    if (!PasswordHash::matches(password, account->text("password_salt"),
                               account->text("password_hash")))
        return std::nullopt;
    return account;
}

std::int64_t AccountStore::create(std::string_view mobile, std::string_view password,
                                  const std::string &createdText)
{
    const PasswordHash::Digest digest = PasswordHash::make(password);
    // The UNIQUE name makes a second registration of one number fail here even when two
    // requests passed the existence check together.
    const int added =
        m_db.modify("INSERT OR IGNORE INTO accounts(mobile, password_salt, password_hash, "
                    "verified, balance_cents, created) VALUES(?, ?, ?, 0, 0, ?)",
                    {std::string(mobile), digest.salt, digest.hash, createdText});
    if (added != 1)
        return 0;
    const auto account = byName(mobile);
    return account ? account->integer("id") : 0;
}

} // namespace refservice
