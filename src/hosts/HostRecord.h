#pragma once

#include "remote/HostRow.h"

#include <array>
#include <string>

namespace cloud {

// Columns of the host list `超级列表框EX2`. Columns 1, 5, 7, 8 and 9 are hidden (width 0):
// they keep what the host actions read from the selected row.
enum HostColumn : int {
    ColumnProductType = 0,
    ColumnName = 1,
    ColumnAddress = 2,
    ColumnState = 3,
    ColumnConfig = 4,
    ColumnBandwidth = 5,
    ColumnExpiry = 6,
    ColumnKind = 7,
    ColumnId = 8,
    ColumnPassword = 9,
    ColumnRemark = 10,
    HostColumnCount = 11
};

// The texts of one row of the host list, by column.
using HostCells = std::array<std::string, HostColumnCount>;

// One element of the host-list reply's `data` array. Every field is kept as the reply gives
// it; a missing one is empty.
struct HostRecord
{
    std::string id;          // the JSON text of the value: a number's digits
    std::string productType; // VPStype
    std::string name;        // vpsname, the after-sales name
    std::string address;     // ycdz: host, optionally ":" and a port
    std::string password;    // VPSpassword
    std::string cpu;         // CpuNum
    std::string memory;      // MaxRAM
    std::string bandwidth;   // Maxmbps8
    std::string expiry;      // endtime
    std::string status;
    std::string zt;     // a second state that, when present, is shown instead of `status`
    std::string remark; // corewhatuser

    // `zt` when it is not empty and the host has not expired; an expired host always shows
    // "已到期".
    std::string shownState() const;
    // CPU, memory and bandwidth run together, as the service's own pages show them.
    std::string configText() const;
    // The texts of the row this host fills; columns 5 and 7 stay empty.
    HostCells cells() const;
};

// The selected row's texts, by meaning.
HostRow hostRowFromCells(const HostCells &cells);

} // namespace cloud
