#pragma once

#include "hosts/HostActionsContext.h"
#include "hosts/HostReplies.h"

#include <QObject>

#include <array>

namespace cloud {

class ChangePasswordWindow;
class ReinstallWindow;
class RemarkWindow;

// The five operations that change a host on the service's side. Requests run on
// workers; the outcome is told and the host list reloaded on the GUI thread. While an
// operation's request is under way a second start of the same operation is refused
// (the call answers false and its menu item and button are disabled).
class HostOperations : public QObject
{
    Q_OBJECT
public:
    enum class Operation { Restart, Reinstall, ChangePassword, Remark, Refund };
    Q_ENUM(Operation)

    HostOperations(HostActionsContext context, QObject *parent);

    bool isRunning(Operation operation) const;

    bool restartHost(const HostRow &host);
    bool requestRefund(const HostRow &host);

    // The windows open modally and return at once; null when refused.
    ReinstallWindow *openReinstallWindow(const HostRow &host);
    ChangePasswordWindow *openChangePasswordWindow(const HostRow &host);
    RemarkWindow *openRemarkWindow(const HostRow &host);

    // The buttons of the windows.
    bool installSelectedOs(ReinstallWindow *window);
    bool changeHostPassword(ChangePasswordWindow *window);
    bool setHostRemark(RemarkWindow *window);

    // Where the boxes of the menu's operations appear: the main window while it is
    // shown, else the first visible top-level window, else nowhere in particular.
    QWidget *boxOwner() const;

signals:
    // An operation's outcome has been told and the reload asked for (tests wait on it).
    void operationFinished(cloud::HostOperations::Operation operation);

private:
    bool begin(Operation operation);
    void end(Operation operation);
    void loadSystems(ReinstallWindow *window);
    void tell(const HostNotice &notice, QWidget *over) const;
    void reloadHostList() const;

    HostActionsContext m_context;
    std::array<bool, 5> m_running{};
};

} // namespace cloud
