#pragma once

#include "orders/RentalPeriod.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cloud {

// What the renewal dialog shows for one host. Renewal prices are whole yuan: the integer
// value of the text the service gives (12.5 is 12, empty or non-numeric text 0); a price
// of 0 means the period is not offered. The times are shown as the service wrote them.
struct RenewalOffer
{
    std::array<std::int64_t, 3> prices{}; // day, month, Annual
    std::string startTime;
    std::string endTime;

    std::int64_t price(RentalPeriod period) const { return prices[static_cast<int>(period)]; }
    bool offers(RentalPeriod period) const { return price(period) != 0; }
};

// The renewal's calls; each blocks its calling thread (a worker). Neither follows a
// redirect: a redirect's body is judged like any other reply.
namespace RenewalRequests {

RenewalOffer offer(const std::string &hostId);
// The reply code text: "1000" on success, otherwise a message for the user.
std::string renew(RentalPeriod period, const std::string &hostId);
// Whether the balance text (such as "36.8元", counted in whole yuan) pays `price`.
bool balanceCovers(std::string_view balanceText, std::int64_t price);

} // namespace RenewalRequests

} // namespace cloud
