#pragma once

#include "HostStore.h"
#include "ServiceClock.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace refservice {

class Database;

// Refunds of recently bought hosts. A host may be refunded once, within `period` of its
// purchase (start_time) and before it expires. The account gets back the unused share of
// what it paid for the host's term (paid_cents), in whole cents rounded down, with a money
// record; the host then shows "已退款". Answers are texts: a refusal starts with "错误："
// and its reason follows, which is the part the client shows.
class HostRefund
{
public:
    static constexpr std::chrono::hours period{72};

    HostRefund(Database &db, ServiceClock &clock) : m_db(db), m_clock(clock), m_hosts(db, clock) {}

    std::string request(std::int64_t accountId, std::string_view idText);

    // paidCents * (end - now) / (end - start), rounded down; 0 outside the term.
    static std::int64_t unusedShare(std::int64_t paidCents, ServiceClock::TimePoint start,
                                    ServiceClock::TimePoint end, ServiceClock::TimePoint now);

private:
    std::string refusal(const DbRow &host);
    bool credit(const DbRow &host, std::int64_t accountId, std::int64_t cents);

    Database &m_db;
    ServiceClock &m_clock;
    HostStore m_hosts;
};

} // namespace refservice
