#include "ServiceClock.h"

#include <cstdio>
#include <ctime>

namespace refservice {

ServiceClock::TimePoint ServiceClock::now() const
{
    const TimePoint base = m_source ? std::chrono::system_clock::from_time_t(m_source())
                                    : std::chrono::system_clock::now();
    return base + std::chrono::seconds(m_offsetSeconds.load());
}

std::string ServiceClock::nowText(std::chrono::seconds offset) const
{
    return localText(now() + offset);
}

void ServiceClock::advance(std::chrono::seconds amount)
{
    m_offsetSeconds += amount.count();
}

std::string ServiceClock::localText(TimePoint time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::optional<ServiceClock::TimePoint> ServiceClock::parseLocal(std::string_view text)
{
    if (text.size() != 19)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        const char separator = i == 4 || i == 7     ? '-'
                               : i == 10            ? ' '
                               : i == 13 || i == 16 ? ':'
                                                    : 0;
        if (separator ? text[i] != separator : !digit)
            return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    std::tm local{};
    local.tm_year = number(0, 4) - 1900;
    local.tm_mon = number(5, 2) - 1;
    local.tm_mday = number(8, 2);
    local.tm_hour = number(11, 2);
    local.tm_min = number(14, 2);
    local.tm_sec = number(17, 2);
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(seconds);
}

} // namespace refservice
