#pragma once

#include <cstdint>
#include <string>

namespace refservice {

// Money as the service shows it: yuan with two decimals, from integer cents.
class MoneyText
{
public:
    // 50000 -> "500.00", 5 -> "0.05", -1250 -> "-12.50".
    static std::string yuan(std::int64_t cents);
};

} // namespace refservice
