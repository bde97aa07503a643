#pragma once

#include "DbRow.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace refservice {

// One prepared SQLite statement, kept and reused by Database. Not thread-safe on its own:
// Database calls it under its lock.
class Statement
{
public:
    Statement(sqlite3 *db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // Binds `params` to ?1..?n and runs the statement to its end. Returns false on an SQL
    // error; `rows` receives every result row.
    bool run(const std::vector<DbValue> &params, std::vector<DbRow> &rows);

private:
    bool bind(const std::vector<DbValue> &params);
    DbRow currentRow() const;

    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace refservice
