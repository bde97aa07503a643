#pragma once

#include "remote/HostRow.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace cloud {

// What the host menu and the host operations need from the window that shows the
// host list. Every callback is called on the GUI thread and must not block.
struct HostActionsContext
{
    // Owner of the menu, the operation windows and the message boxes (the MainWindow).
    QWidget *parent = nullptr;
    // The host of the list's selected row; nothing when no row is selected. When left
    // empty, the list's current row is read.
    std::function<std::optional<HostRow>()> selectedRow;
    // The account's real-name text; "未实名" keeps the menu's items away.
    std::function<QString()> realNameText;
    // Reloads the page of the host list shown in the page selector.
    std::function<void()> reloadHostList;
    // Connects to a host; when left empty, the remote desktop connection is started.
    std::function<void(const HostRow &)> connect;
    // Opens the renewal window for a host.
    std::function<void(const HostRow &)> renew;
    // Opens the profile window (the real-name gate sends the user there).
    std::function<void()> openProfile;
};

} // namespace cloud
