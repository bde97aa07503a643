#pragma once

#include "remote/HostRow.h"

class QWidget;

namespace cloud {

class RemoteSettingsWindow;

// The remote desktop as the main window uses it.

// Connects to the host of the selected host-list row: checks, the connection file,
// then the remote desktop client, started and watched on a worker. Messages appear
// over `parent`.
void connectSelectedHost(QWidget *parent, const HostRow &row);

// Opens the "功能设置" window, modal and centred on the sign-in window, and returns
// at once; the window stores the options when it closes and then deletes itself.
RemoteSettingsWindow *openRemoteSettings(QWidget *parent);

} // namespace cloud
