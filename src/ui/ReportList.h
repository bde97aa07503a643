#pragma once

#include <QTableWidget>

#include <initializer_list>
#include <utility>

namespace cloud {

// The skinned report list of the main window's pages: whole-row selection, no editing, a
// header of fixed column titles and widths (width 0 hides a column that only keeps a value).
class ReportList : public QTableWidget
{
    Q_OBJECT
public:
    using Column = std::pair<const char *, int>; // title (UTF-8), width
    ReportList(const QString &name, std::initializer_list<Column> columns, QWidget *parent);
};

} // namespace cloud
