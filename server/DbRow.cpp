#include "DbRow.h"

#include "data/TextUtil.h"

namespace refservice {

void DbRow::add(std::string name, DbValue value)
{
    m_columns.emplace_back(std::move(name), std::move(value));
}

const DbValue *DbRow::find(std::string_view column) const
{
    for (const auto &[name, value] : m_columns)
        if (name == column)
            return &value;
    return nullptr;
}

bool DbRow::has(std::string_view column) const
{
    return find(column) != nullptr;
}

bool DbRow::isNull(std::string_view column) const
{
    const DbValue *value = find(column);
    return value == nullptr || std::holds_alternative<std::monostate>(*value);
}

std::string DbRow::text(std::string_view column) const
{
    const DbValue *value = find(column);
    if (value == nullptr)
        return {};
    if (const auto *number = std::get_if<std::int64_t>(value))
        return std::to_string(*number);
    if (const auto *str = std::get_if<std::string>(value))
        return *str;
    return {};
}

std::int64_t DbRow::integer(std::string_view column) const
{
    const DbValue *value = find(column);
    if (value == nullptr)
        return 0;
    if (const auto *number = std::get_if<std::int64_t>(value))
        return *number;
    if (const auto *str = std::get_if<std::string>(value)) {
        const bool negative = !str->empty() && str->front() == '-';
        const std::int64_t magnitude = cloud::integerValue(negative ? str->substr(1) : *str);
        return negative ? -magnitude : magnitude;
    }
    return 0;
}

} // namespace refservice
