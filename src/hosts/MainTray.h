#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace cloud {

// The main window's icon in the notification area (tooltip "管理工具") and its menu
// "退出程序" / "注销登录". The same menu serves the window itself where the desktop has no
// notification area.
class MainTray : public QObject
{
    Q_OBJECT
public:
    explicit MainTray(QObject *parent);
    ~MainTray() override;

    // Whether the desktop shows notification-area icons at all.
    static bool available();

    void showIcon();
    void removeIcon();
    // Whether the icon is in place (shown wherever the desktop has a notification area).
    bool iconShown() const { return m_placed; }

    // Empties the menu and adds its two items again.
    void rebuildMenu();
    QMenu *menu() const { return m_menu; }
    QSystemTrayIcon *icon() const { return m_icon; }

signals:
    void quitRequested();
    void signOutRequested();
    // The icon was double-clicked: show or hide the window.
    void toggleRequested();

private:
    QMenu *m_menu = nullptr;
    QSystemTrayIcon *m_icon = nullptr;
    bool m_placed = false;
};

} // namespace cloud
