#pragma once

#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace refservice {

// The service's wall clock. Every rule that depends on time (code expiry, the SMS resend
// pause, sign-in lockouts, host expiry, transitional host states, the refund period) asks
// this clock, so that the tests can move time forward instead of waiting. Times in the
// database are local "YYYY-MM-DD HH:MM:SS" texts, which compare correctly as text.
class ServiceClock
{
public:
    using TimePoint = std::chrono::system_clock::time_point;

    TimePoint now() const;
    // Now in whole seconds, for the rules that count in time_t.
    std::time_t operator()() const { return std::chrono::system_clock::to_time_t(now()); }
    // Takes now from `source` instead of the system clock (before the service starts).
    void pin(std::function<std::time_t()> source) { m_source = std::move(source); }
    // The local time text of now, or of now moved by `offset`.
    std::string nowText(std::chrono::seconds offset = std::chrono::seconds(0)) const;
    // Moves this clock forward (or back) for everybody who asks it later. Thread-safe.
    void advance(std::chrono::seconds amount);

    static std::string localText(TimePoint time);
    // The time of a local time text; nullopt when the text has another form.
    static std::optional<TimePoint> parseLocal(std::string_view text);

private:
    std::atomic<std::int64_t> m_offsetSeconds{0};
    std::function<std::time_t()> m_source;
};

} // namespace refservice
