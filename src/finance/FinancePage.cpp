#include "finance/FinancePage.h"

#include "finance/FinancePageReply.h"
#include "ui/GuiThread.h"
#include "ui/PageControls.h"
#include "ui/SkinArt.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace cloud {

using PageControls::label;

namespace {

struct Column
{
    const char *title;
    int width;
};

// The report list's columns as the window was designed: title and width.
constexpr Column kColumns[] = {
    {"时间", 150}, {"收入￥", 80}, {"支出￥", 80}, {"状态", 80}, {"来源/用途", 400}};

// The main window's logo stands over the top of the tab box; the list starts below it, as
// the host list does, and five rows fill it.
constexpr int listTop = 60;
constexpr int listHeight = 312;
constexpr int rowHeight = 54;
constexpr int footerY = 380;
constexpr int footerHeight = 30;

const char *const kPageStyle = R"(
QTableWidget#超级列表框EX1 {
    background-color: #1B2130;
    alternate-background-color: #1E2535;
    border: 1px solid #2C3446;
    border-radius: 10px;
    gridline-color: transparent;
    font-size: 13px;
    outline: none;
    selection-background-color: rgba(61, 139, 253, 0.30);
    selection-color: #FFFFFF;
}
QTableWidget#超级列表框EX1::item { padding-left: 8px; border-bottom: 1px solid #252D3E; }
QHeaderView { background: transparent; border: none; }
QHeaderView::section {
    background-color: #222A3B;
    color: #9AA4B8;
    border: none;
    border-bottom: 1px solid #2F384B;
    padding-left: 11px;
    height: 38px;
    font-size: 13px;
}
QHeaderView::section:first { border-top-left-radius: 9px; }
QHeaderView::section:last { border-top-right-radius: 9px; }
QLabel#标签EX5 { color: #9AA4B8; padding-left: 12px; }
QLabel#标签EX6 { color: #34C77B; font-weight: bold; padding-left: 12px; }
QLabel#标签EX7 { color: #F25C6E; font-weight: bold; padding-left: 12px; }
QLabel#标签EX8, QLabel#标签EX9 { color: #C9CFDA; }
QComboBox#组合框EX1 {
    background-color: #222937;
    border: 1px solid #343D50;
    border-radius: 6px;
    color: #FFFFFF;
    padding: 0 6px 0 10px;
}
QComboBox#组合框EX1:hover, QComboBox#组合框EX1:on { border-color: #3D8BFD; }
QComboBox#组合框EX1 QAbstractItemView {
    background-color: #222937;
    color: #FFFFFF;
    border: 1px solid #343D50;
    selection-background-color: #3D8BFD;
    outline: none;
}
)";

QTableWidgetItem *cell(const std::string &text)
{
    auto *item = new QTableWidgetItem(QString::fromStdString(text));
    item->setForeground(SkinColours::typedText);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

FinancePage::FinancePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FinancePage"));
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QString::fromUtf8(kPageStyle));
    resize(722, 418);
    createList();
    createTotals();
    createSelector();
}

void FinancePage::createList()
{
    m_list = new QTableWidget(0, int(std::size(kColumns)), this);
    m_list->setObjectName(QStringLiteral("超级列表框EX1"));
    m_list->setGeometry(0, listTop, 722, listHeight);
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->setHorizontalHeaderItem(c,
                                        new QTableWidgetItem(QString::fromUtf8(kColumns[c].title)));
        m_list->setColumnWidth(c, kColumns[c].width);
    }
    QHeaderView *header = m_list->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setShowGrid(false);
    m_list->setAlternatingRowColors(true);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setWordWrap(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The totals sit under the income and expense columns, so they read as the list's last line.
void FinancePage::createTotals()
{
    const int incomeX = kColumns[0].width;
    const int expenseX = incomeX + kColumns[1].width;
    label("标签EX5", "本页总计", QRect(0, footerY, incomeX, footerHeight), this);
    m_income =
        label("标签EX6", "￥0元", QRect(incomeX, footerY, kColumns[1].width, footerHeight), this);
    m_expense = label("标签EX7", "￥0元",
                      QRect(expenseX, footerY, kColumns[2].width + 40, footerHeight), this);
}

void FinancePage::createSelector()
{
    label("标签EX8", "第", QRect(622, footerY, 18, footerHeight), this);
    m_selector = new QComboBox(this);
    m_selector->setObjectName(QStringLiteral("组合框EX1"));
    m_selector->setGeometry(642, footerY + 1, 56, footerHeight - 2);
    // The pages one can pick are fixed: 1 to 10.
    for (int page = 1; page <= 10; ++page)
        m_selector->addItem(QString::number(page));
    m_selector->setCurrentIndex(0);
    label("标签EX9", "页", QRect(704, footerY, 18, footerHeight), this);
    connect(m_selector, &QComboBox::activated, this,
            [this](int index) { loadFinancePage(m_selector->itemText(index)); });
}

void FinancePage::loadFinancePage(const QString &pageText)
{
    const quint64 load = ++m_lastLoad;
    const std::string page = pageText.toStdString();
    QPointer<QObject> guard(this);
    Workers::start([this, guard, load, page, pageText] {
        FinancePageReply reply = FinancePageReply::parse(FinancePageReply::request(page));
        postToGui(guard, [this, load, pageText, reply = std::move(reply)] {
            // A page asked for later has been (or will be) shown instead.
            if (load != m_lastLoad)
                return;
            showPage(reply);
            emit pageShown(pageText);
        });
    });
}

void FinancePage::showPage(const FinancePageReply &page)
{
    m_list->setRowCount(0);
    const auto &records = page.records();
    m_list->setRowCount(int(records.size()));
    for (int r = 0; r < int(records.size()); ++r) {
        const FinanceRecord &record = records[std::size_t(r)];
        m_list->setItem(r, 0, cell(record.attime));
        m_list->setItem(r, 1, cell(FinancePageReply::amountText(record.shouru)));
        m_list->setItem(r, 2, cell(FinancePageReply::amountText(record.zhichu)));
        m_list->setItem(r, 3, cell(record.zt));
        m_list->setItem(r, 4, cell(record.forwhat));
    }
    m_income->setText(QString::fromStdString(page.incomeTotalText()));
    m_expense->setText(QString::fromStdString(page.expenseTotalText()));
}

} // namespace cloud
