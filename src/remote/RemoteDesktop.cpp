#include "remote/RemoteDesktop.h"

#include "app/ProgramPaths.h"
#include "platform/PasswordProtection.h"
#include "remote/MessageBoxNotifier.h"
#include "remote/RemoteConnection.h"
#include "remote/RemoteSettingsWindow.h"
#include "remote/XfreerdpLauncher.h"

#include <QApplication>
#include <QWidget>

namespace cloud {

namespace {

// The sign-in window keeps its place while hidden; the settings window opens over it.
QWidget *centringReference(QWidget *parent)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("LoginWindow"))
            return widget;
    }
    return parent ? parent->window() : nullptr;
}

} // namespace

void connectSelectedHost(QWidget *parent, const HostRow &row)
{
    RemoteConnectionContext context;
    context.programDir = programDirectory();
    context.keyFile = PasswordProtection::defaultKeyFile();
    context.launcher = std::make_shared<XfreerdpLauncher>();
    context.notifier = std::make_shared<MessageBoxNotifier>(parent);
    context.owner = parent ? static_cast<QObject *>(parent) : QCoreApplication::instance();
    RemoteConnection::connectToHost(row, context);
}

RemoteSettingsWindow *openRemoteSettings(QWidget *parent)
{
    auto *window = new RemoteSettingsWindow(configFilePath(programDirectory()),
                                            &DriveList::localFixedDrives, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    if (const QWidget *reference = centringReference(parent)) {
        const QRect area = reference->geometry();
        window->move(area.left() + area.width() / 2 - window->width() / 2,
                     area.top() + area.height() / 2 - window->height() / 2);
    }
    window->show();
    return window;
}

} // namespace cloud
