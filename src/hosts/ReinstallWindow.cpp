#include "hosts/ReinstallWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace cloud {

ReinstallWindow::ReinstallWindow(std::string hostId, QWidget *parent)
    : HostOperationWindow(QStringLiteral("ReinstallWindow"), QStringLiteral("个人信息1"), kSize,
                          QStringLiteral("安装系统"), std::move(hostId), parent)
{
    createControls();
}

void ReinstallWindow::createControls()
{
    addLabel(QStringLiteral("费用"), QStringLiteral("操作系统："), QRect(40, 86, 90, 40));
    m_names = new QComboBox(this);
    m_names->setObjectName(QStringLiteral("组合框EX1"));
    m_names->setGeometry(130, 86, 230, 40);
    m_ids = new QComboBox(this);
    m_ids->setObjectName(QStringLiteral("组合框EX2"));
    m_ids->setGeometry(370, 86, 99, 40);

    QLabel *note = addLabel(QStringLiteral("费用1"),
                            QStringLiteral("预装操作系统功能会将云服务器恢复到最初始的状态，"
                                           "需要5分钟的时间才能完成操作。"),
                            QRect(40, 146, 429, 52));
    note->setWordWrap(true);

    m_install = new QPushButton(QStringLiteral("安装"), this);
    m_install->setObjectName(QStringLiteral("安装按钮"));
    m_install->setGeometry(40, 250, 429, 44);
    m_install->setCursor(Qt::PointingHandCursor);

    connect(m_names, &QComboBox::currentIndexChanged, this, &ReinstallWindow::choose);
    connect(m_ids, &QComboBox::currentIndexChanged, this, &ReinstallWindow::choose);
    connect(m_install, &QPushButton::clicked, this, &ReinstallWindow::installRequested);
}

void ReinstallWindow::setSystems(const std::vector<OsEntry> &systems)
{
    {
        const QSignalBlocker namesQuiet(m_names);
        const QSignalBlocker idsQuiet(m_ids);
        m_names->clear();
        m_ids->clear();
        for (const OsEntry &system : systems) {
            m_names->addItem(QString::fromStdString(system.name));
            m_ids->addItem(QString::fromStdString(system.id));
        }
    }
    m_chosenOsId.clear();
    if (!systems.empty())
        choose(0);
    setLoading(false);
}

void ReinstallWindow::setLoading(bool loading)
{
    m_install->setEnabled(!loading);
}

void ReinstallWindow::choose(int index)
{
    if (index < 0 || index >= m_ids->count())
        return;
    m_names->setCurrentIndex(index);
    m_ids->setCurrentIndex(index);
    m_chosenOsId = m_ids->itemText(index).toStdString();
}

} // namespace cloud
