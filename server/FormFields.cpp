#include "FormFields.h"

#include "data/Gbk.h"

namespace refservice {

FormFields FormFields::parse(std::string_view gbkBody)
{
    FormFields fields;
    std::size_t start = 0;
    while (start <= gbkBody.size()) {
        std::size_t end = gbkBody.find('&', start);
        if (end == std::string_view::npos)
            end = gbkBody.size();
        const std::string_view piece = gbkBody.substr(start, end - start);
        if (!piece.empty()) {
            const std::size_t eq = piece.find('=');
            const std::string_view name = piece.substr(0, eq);
            const std::string_view value =
                eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
            fields.m_fields.emplace_back(cloud::gbkToUtf8(name), cloud::gbkToUtf8(value));
        }
        start = end + 1;
    }
    return fields;
}

FormFields FormFields::fromTarget(std::string_view target)
{
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos)
        return {};
    return parse(target.substr(question + 1));
}

bool FormFields::has(std::string_view name) const
{
    for (const auto &field : m_fields)
        if (field.first == name)
            return true;
    return false;
}

std::string FormFields::value(std::string_view name) const
{
    for (const auto &field : m_fields)
        if (field.first == name)
            return field.second;
    return {};
}

} // namespace refservice
