#include "Statement.h"

#include <sqlite3.h>

namespace refservice {

Statement::Statement(sqlite3 *db, std::string_view sql)
{
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::bind(const std::vector<DbValue> &params)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    if (static_cast<int>(params.size()) != sqlite3_bind_parameter_count(m_stmt))
        return false;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        int rc = SQLITE_OK;
        if (const auto *number = std::get_if<std::int64_t>(&params[i]))
            rc = sqlite3_bind_int64(m_stmt, index, *number);
        else if (const auto *text = std::get_if<std::string>(&params[i]))
            rc = sqlite3_bind_text(m_stmt, index, text->data(), static_cast<int>(text->size()),
                                   SQLITE_TRANSIENT);
        else
            rc = sqlite3_bind_null(m_stmt, index);
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}

DbRow Statement::currentRow() const
{
    DbRow row;
    const int columns = sqlite3_column_count(m_stmt);
    for (int c = 0; c < columns; ++c) {
        const char *name = sqlite3_column_name(m_stmt, c);
        switch (sqlite3_column_type(m_stmt, c)) {
        case SQLITE_NULL:
            row.add(name, std::monostate{});
            break;
        case SQLITE_INTEGER:
            row.add(name, static_cast<std::int64_t>(sqlite3_column_int64(m_stmt, c)));
            break;
        default: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c));
            const int size = sqlite3_column_bytes(m_stmt, c);
            row.add(name, std::string(text ? text : "", static_cast<std::size_t>(size)));
        }
        }
    }
    return row;
}

bool Statement::run(const std::vector<DbValue> &params, std::vector<DbRow> &rows)
{
    if (m_stmt == nullptr || !bind(params))
        return false;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW)
        rows.push_back(currentRow());
    sqlite3_reset(m_stmt);
    return rc == SQLITE_DONE;
}

} // namespace refservice
