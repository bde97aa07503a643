#include "ui/ReportList.h"

#include <QHeaderView>

namespace cloud {

ReportList::ReportList(const QString &name, std::initializer_list<Column> columns, QWidget *parent)
    : QTableWidget(0, static_cast<int>(columns.size()), parent)
{
    setObjectName(name);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(44);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    int index = 0;
    for (const auto &[title, width] : columns) {
        setHorizontalHeaderItem(index, new QTableWidgetItem(QString::fromUtf8(title)));
        setColumnWidth(index, width);
        setColumnHidden(index, width == 0);
        ++index;
    }
}

} // namespace cloud
