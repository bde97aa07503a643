#include "hosts/MainTray.h"

#include "ui/MainArt.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace cloud {

MainTray::MainTray(QObject *parent)
    : QObject(parent), m_menu(new QMenu), m_icon(new QSystemTrayIcon(this))
{
    m_menu->setObjectName(QStringLiteral("托盘菜单"));
    m_menu->setStyleSheet(QStringLiteral(
        "QMenu { font-family: \"微软雅黑\", \"Microsoft YaHei\", \"Noto Sans CJK SC\"; "
        "font-size: 14px; padding: 4px; }"
        "QMenu::item { min-width: 100px; height: 28px; padding: 0 14px; }"));
    m_icon->setIcon(MainArt::programIcon());
    m_icon->setToolTip(QStringLiteral("管理工具"));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::DoubleClick)
                    emit toggleRequested();
            });
    rebuildMenu();
}

MainTray::~MainTray()
{
    // The menu has no parent: the tray icon only borrows it.
    delete m_menu;
}

bool MainTray::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void MainTray::rebuildMenu()
{
    m_menu->clear();
    QAction *quit = m_menu->addAction(QStringLiteral("退出程序"));
    quit->setObjectName(QStringLiteral("退出程序"));
    connect(quit, &QAction::triggered, this, &MainTray::quitRequested);
    QAction *signOut = m_menu->addAction(QStringLiteral("注销登录"));
    signOut->setObjectName(QStringLiteral("注销登录"));
    connect(signOut, &QAction::triggered, this, &MainTray::signOutRequested);
}

void MainTray::showIcon()
{
    m_placed = true;
    // Without a notification area there is nowhere to put it.
    if (available())
        m_icon->show();
}

void MainTray::removeIcon()
{
    m_placed = false;
    m_icon->hide();
}

} // namespace cloud
