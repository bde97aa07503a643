#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace refservice {

// Identifiers of rows as clients send them back: plain positive decimal numbers.
class RecordId
{
public:
    // nullopt for anything but 1 to 18 decimal digits with a value above 0, so "12abc", " 1",
    // "-1" and "0" identify nothing.
    static std::optional<std::int64_t> parse(std::string_view text);
};

} // namespace refservice
