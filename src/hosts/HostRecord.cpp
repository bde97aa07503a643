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

HostRow hostRowFromCells(const HostCells &cells)
{
    HostRow row;
    row.productType = cells[ColumnProductType];
    row.name = cells[ColumnName];
    row.address = cells[ColumnAddress];
    row.state = cells[ColumnState];
    row.id = cells[ColumnId];
    row.password = cells[ColumnPassword];
    row.config = cells[ColumnConfig];
    row.expiry = cells[ColumnExpiry];
    row.remark = cells[ColumnRemark];
    return row;
}

} // namespace cloud
