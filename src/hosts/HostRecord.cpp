#include "hosts/HostRecord.h"

namespace cloud {

std::string HostRecord::shownState() const
{
    return !zt.empty() && status != "已到期" ? zt : status;
}

std::string HostRecord::configText() const
{
    return cpu + memory + bandwidth;
}

HostCells HostRecord::cells() const
{
    HostCells row;
    row[ColumnProductType] = productType;
    row[ColumnName] = name;
    row[ColumnAddress] = address;
    row[ColumnState] = shownState();
    row[ColumnConfig] = configText();
    row[ColumnExpiry] = expiry;
    row[ColumnId] = id;
    row[ColumnPassword] = password;
    row[ColumnRemark] = remark;
    return row;
}

HostRow HostRow::fromCells(const HostCells &cells)
{
    return {cells[ColumnProductType], cells[ColumnName],     cells[ColumnAddress],
            cells[ColumnState],       cells[ColumnConfig],   cells[ColumnExpiry],
            cells[ColumnId],          cells[ColumnPassword], cells[ColumnRemark]};
}

} // namespace cloud
