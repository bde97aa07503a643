#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace cloud {

class FinancePageReply;

// The finance tab page of the main window ("财务信息"): the money records of one page
// in the report list `超级列表框EX1`, the page's income and expense totals, and the
// page selector `组合框EX1` ("第" 1..10 "页").
class FinancePage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int rowsPerPage = 5;

    explicit FinancePage(QWidget *parent = nullptr);

    // Loads one page on a worker and shows it; returns at once. The main window calls it
    // with "1" after each sign-in and for its navigation entry (the selector keeps its
    // text); the selector calls it with the page picked. When loads overlap, the page
    // asked for last is the one shown.
    void loadFinancePage(const QString &pageText);

    QTableWidget *recordList() const { return m_list; }
    QLabel *incomeTotal() const { return m_income; }
    QLabel *expenseTotal() const { return m_expense; }
    QComboBox *pageSelector() const { return m_selector; }

signals:
    // A load has been shown (tests and the main window's status wait for it).
    void pageShown(const QString &pageText);

private:
    void createList();
    void createTotals();
    void createSelector();
    void showPage(const FinancePageReply &page);

    QTableWidget *m_list = nullptr;
    QLabel *m_income = nullptr;
    QLabel *m_expense = nullptr;
    QComboBox *m_selector = nullptr;
    quint64 m_lastLoad = 0;
};

} // namespace cloud
