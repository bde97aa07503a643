#include "HostStore.h"

#include "Database.h"
#include "HostState.h"
#include "ServiceClock.h"

#include <algorithm>

namespace refservice {

namespace {

constexpr const char *hostColumns =
    "SELECT hosts.*, products.name AS product_name, products.cpu, products.memory, "
    "products.bandwidth, products.type_id FROM hosts LEFT JOIN products ON products.id = "
    "hosts.product_id ";

// "YYYY-MM-DD", the date part of a stored local time.
constexpr std::size_t dateLength = 10;

} // namespace

std::int64_t HostStore::parseId(std::string_view idText)
{
    if (idText.empty() || idText.size() > 18 ||
        !std::all_of(idText.begin(), idText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    std::int64_t id = 0;
    for (const char c : idText)
        id = id * 10 + (c - '0');
    return id;
}

std::optional<DbRow> HostStore::owned(std::int64_t accountId, std::string_view idText)
{
    const std::int64_t id = parseId(idText);
    if (id == 0 || accountId == 0)
        return std::nullopt;
    return m_db.queryOne(std::string(hostColumns) + "WHERE hosts.id = ? AND hosts.account_id = ?",
                         {id, accountId});
}

nlohmann::json HostStore::record(const DbRow &host, const std::string &nowText) const
{
    const HostState state = HostState::of(host, nowText);
    nlohmann::json item = {
        {"id", host.integer("id")},
        {"VPStype", host.text("type_name")},
        {"vpsname", host.text("after_sales")},
        {"ycdz", host.text("name")},
        {"VPSpassword", host.text("password")},
        {"CpuNum", host.text("cpu")},
        {"MaxRAM", host.text("memory")},
        {"Maxmbps8", host.text("bandwidth")},
        // The list has room for the date; the renewal dialog shows the full time.
        {"endtime", host.text("end_time").substr(0, dateLength)},
        {"status", state.status},
    };
    if (state.busy())
        item["zt"] = state.zt;
    item["corewhatuser"] = host.text("remark");
    item["VPStypeID"] = host.integer("type_id");
    return item;
}

nlohmann::json HostStore::page(std::int64_t accountId, std::int64_t page, std::int64_t limit)
{
    const auto total =
        m_db.queryOne("SELECT COUNT(*) AS n FROM hosts WHERE account_id = ?", {accountId});
    const std::vector<DbRow> rows = m_db.query(
        std::string(hostColumns) + "WHERE hosts.account_id = ? ORDER BY hosts.id LIMIT ? OFFSET ?",
        {accountId, limit, (page - 1) * limit});
    const std::string nowText = m_clock.nowText();
    nlohmann::json data = nlohmann::json::array();
    for (const DbRow &host : rows)
        data.push_back(record(host, nowText));
    return {{"count", total ? total->integer("n") : 0}, {"data", data}};
}

nlohmann::json HostStore::osList(std::int64_t accountId, std::string_view idText)
{
    nlohmann::json data = nlohmann::json::array();
    if (const auto host = owned(accountId, idText)) {
        const std::vector<DbRow> images =
            m_db.query("SELECT id, name FROM os_images WHERE product_id = ? ORDER BY sort, id",
                       {host->integer("product_id")});
        for (const DbRow &image : images)
            data.push_back({{"osid", image.integer("id")}, {"osname", image.text("name")}});
    }
    return {{"count", data.size()}, {"data", data}};
}

} // namespace refservice
