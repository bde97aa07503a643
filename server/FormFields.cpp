#include "FormFields.h"

#include "data/Gbk.h"

#include <algorithm>

namespace refservice {

std::vector<std::string_view> FormFields::pieces(std::string_view gbkBody)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start <= gbkBody.size()) {
        std::size_t end = gbkBody.find('&', start);
        if (end == std::string_view::npos)
            end = gbkBody.size();
        out.push_back(gbkBody.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

FormFields::RawPiece FormFields::split(std::string_view piece)
{
    const std::size_t eq = piece.find('=');
    if (eq == std::string_view::npos)
        return {piece, {}};
    return {piece.substr(0, eq), piece.substr(eq + 1)};
}

void FormFields::add(std::string_view gbkName, std::string_view gbkValue)
{
    m_fields.emplace_back(cloud::gbkToUtf8(gbkName), cloud::gbkToUtf8(gbkValue));
}

FormFields FormFields::parse(std::string_view gbkBody)
{
    FormFields fields;
    for (const std::string_view piece : pieces(gbkBody))
        if (!piece.empty()) {
            const auto [name, value] = split(piece);
            fields.add(name, value);
        }
    return fields;
}

FormFields FormFields::parse(std::string_view gbkBody,
                             const std::vector<std::string_view> &knownNames)
{
    // Values are joined as raw bytes and converted at the end, so that a GBK character is
    // never cut by the "&" that was split off next to it.
    std::vector<std::pair<std::string_view, std::string>> raw;
    std::vector<bool> seen(knownNames.size(), false);
    for (const std::string_view piece : pieces(gbkBody)) {
        const auto [name, value] = split(piece);
        const auto known = std::find(knownNames.begin(), knownNames.end(), name);
        const std::size_t index = static_cast<std::size_t>(known - knownNames.begin());
        const bool startsField =
            piece.find('=') != std::string_view::npos && known != knownNames.end() && !seen[index];
        if (startsField) {
            seen[index] = true;
            raw.emplace_back(name, std::string(value));
        } else if (!raw.empty()) {
            raw.back().second.append("&").append(piece);
        } else if (!piece.empty()) {
            raw.emplace_back(name, std::string(value));
        }
    }
    FormFields fields;
    for (const auto &[name, value] : raw)
        fields.add(name, value);
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
