#pragma once

#include "DbRow.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace refservice {

class Statement;

// The service's SQLite file. Statements are prepared once and reused; one lock serialises
// every use, so the request threads may share one Database. Failures are values: an empty
// result, false, 0 or -1, with the SQLite message on stderr.
class Database
{
public:
    // Opens (creating when missing) the file and brings its tables and seed data up to date.
    // Gives nullptr and the reason in `error` when that fails. ":memory:" works too.
    static std::unique_ptr<Database> open(const std::string &path, std::string &error);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Parameters bind to ?1, ?2, ... in order.
    std::vector<DbRow> query(std::string_view sql, const std::vector<DbValue> &params = {});
    std::optional<DbRow> queryOne(std::string_view sql, const std::vector<DbValue> &params = {});
    bool execute(std::string_view sql, const std::vector<DbValue> &params = {});
    // Runs an INSERT; gives the new row id, 0 on failure.
    std::int64_t insert(std::string_view sql, const std::vector<DbValue> &params = {});
    // Runs an UPDATE or DELETE; gives the number of changed rows, -1 on failure.
    int modify(std::string_view sql, const std::vector<DbValue> &params = {});
    // Several statements without parameters (schema scripts).
    bool executeScript(std::string_view sql);

    // Runs `work` in one IMMEDIATE transaction, holding the lock throughout: commits when
    // it returns true, rolls back when it returns false. Nested calls join the outer one.
    bool transaction(const std::function<bool()> &work);

    // The value of a row of `settings`; empty when there is none.
    std::string setting(std::string_view key);
    bool setSetting(std::string_view key, std::string_view value);

    std::int64_t userVersion();
    bool setUserVersion(std::int64_t version);

private:
    explicit Database(sqlite3 *db);
    bool run(std::string_view sql, const std::vector<DbValue> &params, std::vector<DbRow> &rows);
    void report(std::string_view what, std::string_view sql) const;

    sqlite3 *m_db = nullptr;
    std::recursive_mutex m_mutex;
    std::map<std::string, std::unique_ptr<Statement>, std::less<>> m_statements;
    int m_transactionDepth = 0;
};

} // namespace refservice
