#pragma once

#include "hosts/HostRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// One page of the host list as the service sent it, and what it takes to bring the list
// up to date with it. No widgets here: the view applies a plan cell by cell.
struct HostPage
{
    static constexpr int perPage = 5;
    // Bounds against a reply that claims absurd numbers: a page of the list never holds
    // more than a handful of hosts, and nobody picks from thousands of page numbers.
    static constexpr int maxRows = 100;
    static constexpr std::int64_t maxPages = 1000;

    // `count`: the account's hosts in total; 0 for a missing key or a reply that is not JSON.
    std::int64_t total = 0;
    // Pages for `total` hosts, five to a page (at most maxPages).
    std::int64_t pages = 0;
    // One record per row. The rows are counted by the "VPStypeID" keys in the reply text,
    // so a row whose element is missing is an empty record.
    std::vector<HostRecord> records;

    bool hasHosts() const { return total >= 1; }

    static HostPage parse(std::string_view reply);
    // The page a load asks for: the selector's text as a number, and page 1 for anything
    // below 2 (empty text, "0", text without digits).
    static std::int64_t requestedPage(std::string_view selectorText);
    // The request path after the base URL for that page.
    static std::string requestPath(std::int64_t page);
};

// A cell whose text changes.
struct CellWrite
{
    int row;
    int column;
    std::string text;

    bool operator==(const CellWrite &) const = default;
};

// What one load does to the list: the rows are recreated only when their number changes,
// and a cell is written only when its text differs from the new one.
struct HostListPlan
{
    bool recreateRows = false;
    int rowCount = 0;
    std::vector<CellWrite> writes;

    // `current` is what the list shows now, row by row.
    static HostListPlan make(const HostPage &page, const std::vector<HostCells> &current);
};

// The columns a load writes, in the order it writes them.
inline constexpr int kWrittenColumns[] = {ColumnProductType, ColumnName,     ColumnAddress,
                                          ColumnState,       ColumnConfig,   ColumnExpiry,
                                          ColumnId,          ColumnPassword, ColumnRemark};

} // namespace cloud
