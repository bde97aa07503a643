#include "Database.h"

#include "Schema.h"
#include "Statement.h"

#include <cstdio>
#include <sqlite3.h>

namespace refservice {

Database::Database(sqlite3 *db) : m_db(db)
{}

Database::~Database()
{
    m_statements.clear(); // statements must be finalised before the connection closes
    sqlite3_close(m_db);
}

std::unique_ptr<Database> Database::open(const std::string &path, std::string &error)
{
    sqlite3 *handle = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
        error = "cannot open " + path + ": " + (handle ? sqlite3_errmsg(handle) : "out of memory");
        sqlite3_close(handle);
        return nullptr;
    }
    sqlite3_busy_timeout(handle, 5000);
    std::unique_ptr<Database> db(new Database(handle));
    if (!db->executeScript("PRAGMA foreign_keys = ON; PRAGMA journal_mode = WAL;")) {
        error = "cannot configure " + path;
        return nullptr;
    }
    if (!Schema::upgrade(*db, error))
        return nullptr;
    return db;
}

void Database::report(std::string_view what, std::string_view sql) const
{
    std::fprintf(stderr, "refservice: %.*s failed (%s): %.*s\n", static_cast<int>(what.size()),
                 what.data(), sqlite3_errmsg(m_db), static_cast<int>(sql.size()), sql.data());
}

bool Database::run(std::string_view sql, const std::vector<DbValue> &params,
                   std::vector<DbRow> &rows)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        // Callers bind values instead of splicing them into the SQL, so the set of texts is
        // small; the bound only guards against a caller that does not.
        if (m_statements.size() >= 512)
            m_statements.clear();
        auto statement = std::make_unique<Statement>(m_db, sql);
        if (!statement->isValid()) {
            report("prepare", sql);
            return false;
        }
        it = m_statements.emplace(std::string(sql), std::move(statement)).first;
    }
    if (!it->second->run(params, rows)) {
        report("statement", sql);
        return false;
    }
    return true;
}

std::vector<DbRow> Database::query(std::string_view sql, const std::vector<DbValue> &params)
{
    std::lock_guard lock(m_mutex);
    std::vector<DbRow> rows;
    if (!run(sql, params, rows))
        rows.clear();
    return rows;
}

std::optional<DbRow> Database::queryOne(std::string_view sql, const std::vector<DbValue> &params)
{
    std::vector<DbRow> rows = query(sql, params);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

bool Database::execute(std::string_view sql, const std::vector<DbValue> &params)
{
    std::lock_guard lock(m_mutex);
    std::vector<DbRow> rows;
    return run(sql, params, rows);
}

std::int64_t Database::insert(std::string_view sql, const std::vector<DbValue> &params)
{
    std::lock_guard lock(m_mutex);
    std::vector<DbRow> rows;
    return run(sql, params, rows) ? sqlite3_last_insert_rowid(m_db) : 0;
}

int Database::modify(std::string_view sql, const std::vector<DbValue> &params)
{
    std::lock_guard lock(m_mutex);
    std::vector<DbRow> rows;
    return run(sql, params, rows) ? sqlite3_changes(m_db) : -1;
}

bool Database::executeScript(std::string_view sql)
{
    std::lock_guard lock(m_mutex);
    const std::string script(sql);
    char *message = nullptr;
    if (sqlite3_exec(m_db, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "refservice: script failed: %s\n", message ? message : "?");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool Database::transaction(const std::function<bool()> &work)
{
    std::lock_guard lock(m_mutex);
    if (m_transactionDepth > 0) // joins the outer transaction, which decides
        return work();
    if (!executeScript("BEGIN IMMEDIATE"))
        return false;
    ++m_transactionDepth;
    bool ok = false;
    try {
        ok = work();
    } catch (...) {
        ok = false;
    }
    --m_transactionDepth;
    if (ok && executeScript("COMMIT"))
        return true;
    executeScript("ROLLBACK");
    return false;
}

std::string Database::setting(std::string_view key)
{
    const auto row = queryOne("SELECT value FROM settings WHERE key = ?1", {std::string(key)});
    return row ? row->text("value") : std::string();
}

bool Database::setSetting(std::string_view key, std::string_view value)
{
    return execute("INSERT INTO settings(key, value) VALUES(?1, ?2) "
                   "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
                   {std::string(key), std::string(value)});
}

std::int64_t Database::userVersion()
{
    const auto row = queryOne("PRAGMA user_version");
    return row ? row->integer("user_version") : 0;
}

bool Database::setUserVersion(std::int64_t version)
{
    return executeScript("PRAGMA user_version = " + std::to_string(version));
}

} // namespace refservice
