#include "hosts/HostOperations.h"

#include "app/AppSession.h"
#include "hosts/ChangePasswordWindow.h"
#include "hosts/HostRequests.h"
#include "hosts/ReinstallWindow.h"
#include "hosts/RemarkWindow.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"

#include <QApplication>

namespace cloud {

namespace {

QString qt(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

HostOperations::HostOperations(HostActionsContext context, QObject *parent)
    : QObject(parent), m_context(std::move(context))
{}

bool HostOperations::isRunning(Operation operation) const
{
    return m_running[static_cast<std::size_t>(operation)];
}

bool HostOperations::begin(Operation operation)
{
    if (isRunning(operation))
        return false;
    m_running[static_cast<std::size_t>(operation)] = true;
    return true;
}

void HostOperations::end(Operation operation)
{
    m_running[static_cast<std::size_t>(operation)] = false;
}

// Restart: the request, "操作成功，请耐心等待" or the reply itself, then the reload.
bool HostOperations::restartHost(const HostRow &host)
{
    if (!begin(Operation::Restart))
        return false;
    runThenCallback<std::string>(
        this, [id = host.id] { return HostRequests::restart(id); },
        [this](std::string reply) {
            end(Operation::Restart);
            tell(HostReplies::restartNotice(reply), boxOwner());
            reloadHostList();
            emit operationFinished(Operation::Restart);
        });
    return true;
}

// Refund: no confirmation; the self-closing "友情提醒", then the reload.
bool HostOperations::requestRefund(const HostRow &host)
{
    if (!begin(Operation::Refund))
        return false;
    runThenCallback<std::string>(
        this, [id = host.id] { return HostRequests::refund(id); },
        [this](std::string reply) {
            end(Operation::Refund);
            tell(HostReplies::refundNotice(reply), boxOwner());
            reloadHostList();
            emit operationFinished(Operation::Refund);
        });
    return true;
}

ReinstallWindow *HostOperations::openReinstallWindow(const HostRow &host)
{
    if (isRunning(Operation::Reinstall))
        return nullptr;
    auto *window = new ReinstallWindow(host.id, m_context.parent);
    connect(window, &ReinstallWindow::installRequested, this,
            [this, window] { installSelectedOs(window); });
    window->open(m_context.parent);
    loadSystems(window);
    return window;
}

// The list arrives while the window is shown; a window closed meanwhile drops it.
void HostOperations::loadSystems(ReinstallWindow *window)
{
    window->setLoading(true);
    runThenCallback<std::vector<OsEntry>>(
        window, [id = window->hostId()] { return HostRequests::osList(id); },
        [window](std::vector<OsEntry> systems) { window->setSystems(systems); });
}

// Install: the window closes at once; without a chosen system nothing is sent.
bool HostOperations::installSelectedOs(ReinstallWindow *window)
{
    if (isRunning(Operation::Reinstall))
        return false;
    const std::string osId = window->chosenOsId();
    const std::string id = window->hostId();
    window->close();
    if (osId.empty()) {
        tell(HostReplies::installWithoutSystemNotice(), boxOwner());
        emit operationFinished(Operation::Reinstall);
        return false;
    }
    begin(Operation::Reinstall);
    runThenCallback<std::string>(
        this, [osId, id] { return HostRequests::install(osId, id); },
        [this](std::string reply) {
            end(Operation::Reinstall);
            tell(HostReplies::installNotice(reply), boxOwner());
            reloadHostList();
            emit operationFinished(Operation::Reinstall);
        });
    return true;
}

ChangePasswordWindow *HostOperations::openChangePasswordWindow(const HostRow &host)
{
    if (isRunning(Operation::ChangePassword))
        return nullptr;
    auto *window = new ChangePasswordWindow(host.id, m_context.parent);
    connect(window, &ChangePasswordWindow::changeRequested, this,
            [this, window] { changeHostPassword(window); });
    window->open(m_context.parent);
    return window;
}

// Password change: two different entries never leave the window; "1000" reloads
// and closes, the known failures are told and the window stays.
bool HostOperations::changeHostPassword(ChangePasswordWindow *window)
{
    if (isRunning(Operation::ChangePassword))
        return false;
    const QString password = window->newPassword();
    if (password != window->repeatedPassword()) {
        tell(HostReplies::passwordMismatchNotice(), window);
        return false;
    }
    begin(Operation::ChangePassword);
    window->setBusy(true);
    QPointer<ChangePasswordWindow> guard(window);
    runThenCallback<std::string>(
        this,
        [password = password.toStdString(), id = window->hostId()] {
            return HostRequests::changePassword(password, id);
        },
        [this, guard](std::string reply) {
            end(Operation::ChangePassword);
            if (guard)
                guard->setBusy(false);
            tell(HostReplies::passwordNotice(reply), guard ? guard.data() : boxOwner());
            if (HostReplies::passwordAccepted(reply)) {
                reloadHostList();
                if (guard)
                    guard->close();
            }
            emit operationFinished(Operation::ChangePassword);
        });
    return true;
}

RemarkWindow *HostOperations::openRemarkWindow(const HostRow &host)
{
    if (isRunning(Operation::Remark))
        return nullptr;
    auto *window = new RemarkWindow(host.id, m_context.parent);
    connect(window, &RemarkWindow::remarkRequested, this,
            [this, window] { setHostRemark(window); });
    window->open(m_context.parent);
    return window;
}

// Remark: sent with the signed-in account's name and password; every answer is told,
// then the list reloads and the window closes.
bool HostOperations::setHostRemark(RemarkWindow *window)
{
    if (!begin(Operation::Remark))
        return false;
    window->setBusy(true);
    const AppSession &session = AppSession::instance();
    QPointer<RemarkWindow> guard(window);
    runThenCallback<std::string>(
        this,
        [name = session.accountName(), password = session.accountPassword(), id = window->hostId(),
         remark = window->remark().toStdString()] {
            return HostRequests::setRemark(name, password, id, remark);
        },
        [this, guard](std::string reply) {
            end(Operation::Remark);
            tell(HostReplies::remarkNotice(reply), guard ? guard.data() : boxOwner());
            reloadHostList();
            if (guard)
                guard->close();
            emit operationFinished(Operation::Remark);
        });
    return true;
}

QWidget *HostOperations::boxOwner() const
{
    if (m_context.parent && m_context.parent->isVisible())
        return m_context.parent;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && !widget->parentWidget())
            return widget;
    }
    return nullptr;
}

void HostOperations::tell(const HostNotice &notice, QWidget *over) const
{
    switch (notice.kind) {
    case HostNotice::Kind::None:
        return;
    case HostNotice::Kind::Message:
        MessageBox::information(over, qt(notice.text));
        return;
    case HostNotice::Kind::Skinned:
        MessageBox::skinned(over, qt(notice.title), qt(notice.text));
        return;
    case HostNotice::Kind::SelfClosing:
        MessageBox::autoClosing(over, qt(notice.title), qt(notice.text),
                                HostReplies::kRefundNoticeMs);
        return;
    }
}

void HostOperations::reloadHostList() const
{
    if (m_context.reloadHostList)
        m_context.reloadHostList();
}

} // namespace cloud
