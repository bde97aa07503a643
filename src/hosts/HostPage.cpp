#include "hosts/HostPage.h"

#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "data/JsonDoc.h"
#include "data/TextUtil.h"

#include <algorithm>

namespace cloud {
namespace {

constexpr std::string_view kRowKey = "VPStypeID";

int countRows(std::string_view reply)
{
    int rows = 0;
    std::size_t at = findNoCase(reply, kRowKey);
    while (at != std::string_view::npos && rows < HostPage::maxRows) {
        ++rows;
        at = findNoCase(reply, kRowKey, at + kRowKey.size());
    }
    return rows;
}

// The identifier is the value's JSON text (a number's digits); null counts as missing.
std::string idText(const JsonDoc &doc, std::size_t row)
{
    std::string text = doc.jsonAt(ApiReply::recordPath(row, "id"));
    return text == "null" ? std::string() : text;
}

HostRecord readRecord(const JsonDoc &doc, std::size_t row)
{
    auto field = [&](std::string_view key) { return ApiReply::recordText(doc, row, key); };
    HostRecord record;
    record.id = idText(doc, row);
    record.productType = field("VPStype");
    record.name = field("vpsname");
    record.address = field("ycdz");
    record.password = field("VPSpassword");
    record.cpu = field("CpuNum");
    record.memory = field("MaxRAM");
    record.bandwidth = field("Maxmbps8");
    record.expiry = field("endtime");
    record.status = field("status");
    record.remark = field("corewhatuser");
    record.zt = field("zt");
    return record;
}

} // namespace

HostPage HostPage::parse(std::string_view reply)
{
    HostPage page;
    JsonDoc doc;
    doc.parse(reply);
    page.total = ApiReply::listCount(doc);
    if (!page.hasHosts())
        return page;
    page.pages = std::min(ApiReply::pageCount(page.total, perPage), maxPages);
    const int rows = countRows(reply);
    page.records.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        page.records.push_back(readRecord(doc, static_cast<std::size_t>(row)));
    return page;
}

std::int64_t HostPage::requestedPage(std::string_view selectorText)
{
    const std::int64_t page = integerValue(selectorText);
    return page < 2 ? 1 : page;
}

std::string HostPage::requestPath(std::int64_t page)
{
    return std::string(api::kHostList) + std::to_string(page) + std::string(api::kHostListTail);
}

HostListPlan HostListPlan::make(const HostPage &page, const std::vector<HostCells> &current)
{
    HostListPlan plan;
    plan.rowCount = page.hasHosts() ? static_cast<int>(page.records.size()) : 0;
    plan.recreateRows = static_cast<std::size_t>(plan.rowCount) != current.size();
    static const HostCells emptyRow;
    for (int row = 0; row < plan.rowCount; ++row) {
        const HostCells &now =
            plan.recreateRows ? emptyRow : current[static_cast<std::size_t>(row)];
        const HostCells next = page.records[static_cast<std::size_t>(row)].cells();
        for (int column : kWrittenColumns)
            if (now[column] != next[column])
                plan.writes.push_back({row, column, next[column]});
    }
    return plan;
}

} // namespace cloud
