#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace cloud {

// Page 1 of the main window: the money records `超级列表框EX1`, the page totals and the page
// selector `组合框EX1` (items "1" to "10"). Controls only; the finance flow fills them.
class FinancePage : public QWidget
{
    Q_OBJECT
public:
    explicit FinancePage(QWidget *parent);

    QTableWidget *recordList() const { return m_list; }
    QLabel *incomeLabel() const { return m_income; }
    QLabel *expenseLabel() const { return m_expense; }
    QComboBox *pageSelector() const { return m_selector; }

signals:
    // The user picked a page in the selector; the text is the page.
    void pageChosen(const QString &pageText);

private:
    QTableWidget *m_list = nullptr;
    QLabel *m_income = nullptr;
    QLabel *m_expense = nullptr;
    QComboBox *m_selector = nullptr;
};

} // namespace cloud
