#include "hosts/RemarkWindow.h"

#include <QLineEdit>
#include <QPushButton>

namespace cloud {

RemarkWindow::RemarkWindow(std::string hostId, QWidget *parent)
    : HostOperationWindow(QStringLiteral("RemarkWindow"), QStringLiteral("设置备注1"), kSize,
                          QStringLiteral("设置"), std::move(hostId), parent)
{
    addLabel(QStringLiteral("标签EX1"), QStringLiteral("备注："), QRect(28, 52, 50, 36));
    m_remark = new QLineEdit(this);
    m_remark->setObjectName(QStringLiteral("编辑框EX2"));
    m_remark->setGeometry(78, 52, 234, 36);

    m_set = new QPushButton(QStringLiteral("设置"), this);
    m_set->setObjectName(QStringLiteral("充值按钮"));
    m_set->setGeometry(28, 100, 284, 36);
    m_set->setCursor(Qt::PointingHandCursor);
    connect(m_set, &QPushButton::clicked, this, &RemarkWindow::remarkRequested);
}

QString RemarkWindow::remark() const
{
    return m_remark->text();
}

void RemarkWindow::setBusy(bool busy)
{
    m_set->setEnabled(!busy);
}

QWidget *RemarkWindow::frameTabTarget() const
{
    return m_remark;
}

} // namespace cloud
