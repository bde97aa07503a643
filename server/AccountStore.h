#pragma once

#include "DbRow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace refservice {

class Database;

// The accounts table: an account is named by its mobile number.
class AccountStore
{
public:
    explicit AccountStore(Database &db) : m_db(db) {}

    std::optional<DbRow> byName(std::string_view mobile);
    std::optional<DbRow> byId(std::int64_t id);
    // The account named `name` when `password` is its password; nullopt otherwise.
    std::optional<DbRow> authenticate(std::string_view name, std::string_view password);
    // An unverified account with balance 0. Gives its id; 0 when the name is taken.
    std::int64_t create(std::string_view mobile, std::string_view password,
                        const std::string &createdText);

private:
    Database &m_db;
};

} // namespace refservice
