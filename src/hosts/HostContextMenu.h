#pragma once

#include "hosts/HostActionsContext.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <map>

class QAction;
class QPoint;
class QTableWidget;

namespace cloud {

class HostOperations;

// The items of the host menu, in menu order; the five operations sit in "管理主机".
enum class HostMenuItem {
    Connect,
    CopyAddress,
    Restart,
    Reinstall,
    Renew,
    Refund,
    ChangePassword,
    CopyPassword,
    CopyName,
    Remark
};

// The host list's actions: the right-click menu with its submenu "管理主机", and the
// double-click that connects. Every menu item is refused to an account without
// real-name verification. Lives as a child of the list; see buildHostContextMenu.
class HostContextMenu : public QObject
{
    Q_OBJECT
public:
    // The columns of the host list that the actions read.
    enum Column {
        ProductTypeColumn = 0,
        NameColumn = 1,
        AddressColumn = 2,
        StateColumn = 3,
        IdColumn = 8,
        PasswordColumn = 9
    };

    HostContextMenu(QTableWidget *list, HostActionsContext context);
    ~HostContextMenu() override;

    // The host of one row of `list` (empty texts for cells never written).
    static HostRow rowAt(const QTableWidget *list, int row);

    QMenu *menu() const { return m_menu; }
    QMenu *manageMenu() const { return m_manage; }
    QAction *action(HostMenuItem item) const;
    HostOperations *operations() const { return m_operations; }

    // A right-click at `pos` (viewport coordinates): selects the row hit and pops the
    // menu up there; a click on no row does nothing.
    void onHostListRightClick(const QPoint &pos);
    // A double-click on a row connects to its host.
    void onHostListDoubleClick(int row);
    // A menu item was clicked.
    void onHostMenuItem(HostMenuItem item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void addItem(QMenu *menu, HostMenuItem item, const QString &text);
    void connectList();
    void refreshItemStates();
    std::optional<HostRow> selectedRow() const;
    void perform(HostMenuItem item, const HostRow &host);
    void copyToClipboard(const std::string &text);
    void connectHost(const HostRow &host);

    QTableWidget *m_list;
    QWidget *m_viewport = nullptr;
    HostActionsContext m_context;
    HostOperations *m_operations = nullptr;
    QPointer<QMenu> m_menu;
    QMenu *m_manage = nullptr;
    std::map<HostMenuItem, QAction *> m_actions;
};

// Installs the host menu and the double-click on the host list `超级列表框EX2`.
// Called by each main-window initialisation: a second call replaces the first
// installation, it never adds a second menu.
HostContextMenu *buildHostContextMenu(QTableWidget *list, HostActionsContext context);

} // namespace cloud
