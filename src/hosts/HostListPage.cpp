#include "hosts/HostListPage.h"

#include "hosts/TipRotation.h"
#include "ui/PageControls.h"
#include "ui/ReportList.h"
#include "ui/SkinArt.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace cloud {

using PageControls::label;

HostListPage::HostListPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("产品列表页"));
    createTable();
    createFooter();
}

void HostListPage::createTable()
{
    // Hidden columns (width 0) keep what the host actions read from the selected row.
    m_table = new ReportList(QStringLiteral("超级列表框EX2"),
                             {{"产品类型", 130},
                              {"名称", 0},
                              {"IP/远程地址", 160},
                              {"状态", 100},
                              {"配置", 110},
                              {"带宽", 0},
                              {"到期日期", 120},
                              {"类型", 0},
                              {"ID", 0},
                              {"密码", 0},
                              {"备注", 100}},
                             this);
    m_table->setGeometry(0, 60, 722, 312);
    // Five hosts to a page: the rows share the list's height.
    m_table->verticalHeader()->setDefaultSectionSize(54);

    m_empty = label(QStringLiteral("标签EX1"), QString(), QRect(0, 150, 722, 120), this);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HostListPage::createFooter()
{
    m_tip = label(QStringLiteral("标签EX3"),
                  QString::fromUtf8(TipRotation::defaultTip.data(), TipRotation::defaultTip.size()),
                  QRect(24, 391, 459, 24), this);
    label(QStringLiteral("标签EX16"), QStringLiteral("第"), QRect(617, 389, 18, 28), this);
    m_selector = new QComboBox(this);
    m_selector->setObjectName(QStringLiteral("组合框页数"));
    m_selector->setGeometry(637, 389, 58, 28);
    m_selector->setEditable(true);
    m_selector->setInsertPolicy(QComboBox::NoInsert);
    m_selector->lineEdit()->setAlignment(Qt::AlignCenter);
    label(QStringLiteral("标签EX15"), QStringLiteral("页"), QRect(699, 389, 18, 28), this);
    connect(m_selector, &QComboBox::activated, this, [this] { emit pageChosen(); });
    connect(m_selector, &QComboBox::editTextChanged, this, &HostListPage::selectorTextChanged);
}

QString HostListPage::selectorText() const
{
    return m_selector->currentText();
}

void HostListPage::setSelectorText(const QString &text)
{
    m_selector->setEditText(text);
}

void HostListPage::setTip(const QString &text)
{
    m_tip->setText(text);
}

void HostListPage::applyPage(const HostPage &page)
{
    if (!page.hasHosts()) {
        m_table->setRowCount(0);
        m_empty->setText(QString::fromUtf8(noHostsText));
        return;
    }
    m_empty->clear();
    setPageItems(page.pages);
    const HostListPlan plan = HostListPlan::make(page, currentCells());
    if (plan.recreateRows) {
        m_table->setRowCount(0);
        m_table->setRowCount(plan.rowCount);
    }
    for (const CellWrite &write : plan.writes)
        writeCell(write);
}

// The items "1" to the page count; rebuilt only when the count changed, and always without
// touching the text the selector shows.
void HostListPage::setPageItems(std::int64_t pages)
{
    if (m_selector->count() == pages)
        return;
    const QString shown = m_selector->currentText();
    const QSignalBlocker blocker(m_selector);
    m_selector->clear();
    for (std::int64_t page = 1; page <= pages; ++page)
        m_selector->addItem(QString::number(page));
    m_selector->setEditText(shown);
}

void HostListPage::writeCell(const CellWrite &write)
{
    QTableWidgetItem *item = m_table->item(write.row, write.column);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(write.row, write.column, item);
    }
    item->setText(QString::fromStdString(write.text));
    item->setForeground(SkinColours::typedText);
}

QString HostListPage::cellText(int row, int column) const
{
    const QTableWidgetItem *item = m_table->item(row, column);
    return item ? item->text() : QString();
}

std::vector<HostCells> HostListPage::currentCells() const
{
    std::vector<HostCells> rows(static_cast<std::size_t>(m_table->rowCount()));
    for (int row = 0; row < m_table->rowCount(); ++row)
        for (int column = 0; column < HostColumnCount; ++column)
            rows[static_cast<std::size_t>(row)][column] = cellText(row, column).toStdString();
    return rows;
}

int HostListPage::selectedRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

std::optional<HostRow> HostListPage::selectedHost() const
{
    const int row = selectedRow();
    if (row < 0)
        return std::nullopt;
    HostCells cells;
    for (int column = 0; column < HostColumnCount; ++column)
        cells[column] = cellText(row, column).toStdString();
    return hostRowFromCells(cells);
}

} // namespace cloud
