#include "RecordId.h"

namespace refservice {

std::optional<std::int64_t> RecordId::parse(std::string_view text)
{
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value == 0)
        return std::nullopt;
    return value;
}

} // namespace refservice
