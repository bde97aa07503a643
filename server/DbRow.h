#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace refservice {

// One SQL value: NULL, an integer or a text (real numbers arrive as text).
using DbValue = std::variant<std::monostate, std::int64_t, std::string>;

// One result row, columns by name in select order.
class DbRow
{
public:
    void add(std::string name, DbValue value);

    bool has(std::string_view column) const;
    bool isNull(std::string_view column) const;
    // An integer column as decimal text; NULL and missing columns give empty text.
    std::string text(std::string_view column) const;
    // A text column gives its leading decimal value; NULL and missing columns give 0.
    std::int64_t integer(std::string_view column) const;
    std::size_t size() const { return m_columns.size(); }

private:
    const DbValue *find(std::string_view column) const;

    std::vector<std::pair<std::string, DbValue>> m_columns;
};

} // namespace refservice
