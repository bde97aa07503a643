#pragma once

#include "DbRow.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace refservice {

class Database;
class ServiceClock;

// The hosts of one account as the host routes read them. Every lookup names the account:
// another account's host is found as little as a host that does not exist.
class HostStore
{
public:
    HostStore(Database &db, ServiceClock &clock) : m_db(db), m_clock(clock) {}

    // The host with the id text `idText` (decimal digits) when `accountId` owns it, joined
    // with its product's columns (product_name, cpu, memory, bandwidth, type_id).
    std::optional<DbRow> owned(std::int64_t accountId, std::string_view idText);

    // One page of the account's hosts as the list reply: {"count": all hosts of the account,
    // "data": [...]} with the keys id, VPStype, vpsname, ycdz, VPSpassword, CpuNum, MaxRAM,
    // Maxmbps8, endtime (the expiry date), status, zt (only while a transitional state
    // applies), corewhatuser and VPStypeID. Pages count from 1.
    nlohmann::json page(std::int64_t accountId, std::int64_t page, std::int64_t limit);

    // The systems that can be installed on the host: {"count", "data": [{osid, osname}]};
    // an empty list for a host the account does not own.
    nlohmann::json osList(std::int64_t accountId, std::string_view idText);

    // The id text as a host id; 0 for anything but 1 to 18 decimal digits.
    static std::int64_t parseId(std::string_view idText);

private:
    nlohmann::json record(const DbRow &host, const std::string &nowText) const;

    Database &m_db;
    ServiceClock &m_clock;
};

} // namespace refservice
