#include "hosts/ChangePasswordWindow.h"

#include <QLineEdit>
#include <QPushButton>

namespace cloud {

ChangePasswordWindow::ChangePasswordWindow(std::string hostId, QWidget *parent)
    : HostOperationWindow(QStringLiteral("ChangePasswordWindow"), QStringLiteral("个人信息1"),
                          kSize, QStringLiteral("修改密码"), std::move(hostId), parent)
{
    addLabel(QStringLiteral("标签EX1"), QStringLiteral("输入新密码："), QRect(28, 62, 96, 38));
    m_first = addPasswordEdit(QStringLiteral("编辑框EX2"), QRect(124, 62, 196, 38));
    addLabel(QStringLiteral("标签EX3"), QStringLiteral("重复新密码："), QRect(28, 112, 96, 38));
    m_second = addPasswordEdit(QStringLiteral("编辑框EX1"), QRect(124, 112, 196, 38));
    // Tab in the first box goes to the second.
    setTabOrder(m_first, m_second);

    m_change = new QPushButton(QStringLiteral("修改"), this);
    m_change->setObjectName(QStringLiteral("修改密码按钮"));
    m_change->setGeometry(28, 170, 292, 42);
    m_change->setCursor(Qt::PointingHandCursor);
    connect(m_change, &QPushButton::clicked, this, &ChangePasswordWindow::changeRequested);
}

// The entries are masked: the user types the password twice because it cannot be seen.
QLineEdit *ChangePasswordWindow::addPasswordEdit(const QString &name, const QRect &geometry)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QString ChangePasswordWindow::newPassword() const
{
    return m_first->text();
}

QString ChangePasswordWindow::repeatedPassword() const
{
    return m_second->text();
}

void ChangePasswordWindow::setBusy(bool busy)
{
    m_change->setEnabled(!busy);
}

QWidget *ChangePasswordWindow::frameTabTarget() const
{
    return m_first;
}

} // namespace cloud
