#include "ui/FinancePage.h"

#include "ui/PageControls.h"
#include "ui/ReportList.h"

namespace cloud {

using namespace PageControls;

FinancePage::FinancePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("财务信息页"));
    m_list = new ReportList(
        QStringLiteral("超级列表框EX1"),
        {{"时间", 150}, {"收入￥", 80}, {"支出￥", 80}, {"状态", 80}, {"来源/用途", 400}}, this);
    m_list->setGeometry(0, 60, 722, 318);

    label(QStringLiteral("标签EX5"), QStringLiteral("本页总计"), QRect(24, 389, 70, 28), this);
    m_income =
        label(QStringLiteral("标签EX6"), QStringLiteral("￥0元"), QRect(98, 389, 110, 28), this);
    m_income->setProperty("tone", QStringLiteral("income"));
    m_expense =
        label(QStringLiteral("标签EX7"), QStringLiteral("￥0元"), QRect(212, 389, 110, 28), this);
    m_expense->setProperty("tone", QStringLiteral("expense"));

    label(QStringLiteral("标签EX8"), QStringLiteral("第"), QRect(617, 389, 18, 28), this);
    m_selector = dropDown(QStringLiteral("组合框EX1"), QRect(637, 389, 58, 28), this);
    for (int page = 1; page <= 10; ++page)
        m_selector->addItem(QString::number(page));
    m_selector->setCurrentIndex(0);
    label(QStringLiteral("标签EX9"), QStringLiteral("页"), QRect(699, 389, 18, 28), this);
    connect(m_selector, &QComboBox::activated, this,
            [this] { emit pageChosen(m_selector->currentText()); });
}

} // namespace cloud
