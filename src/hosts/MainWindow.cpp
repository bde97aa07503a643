#include "hosts/MainWindow.h"

#include "app/AppSession.h"

#include <QLabel>
#include <QTimer>

namespace cloud {

MainWindow::MainWindow(LoginWindow *loginWindow, QWidget *parent)
    : SkinnedWindow(QStringLiteral("MainWindow"), QStringLiteral("窗口EX1"), QSize(900, 500), true,
                    parent),
      m_loginWindow(loginWindow)
{
    m_greeting = new QLabel(this);
    m_greeting->setGeometry(40, 40, 820, 40);
    m_watcher = new QTimer(this);
    m_watcher->setInterval(1000);
    connect(m_watcher, &QTimer::timeout, this, &MainWindow::checkSignIn);
}

void MainWindow::startSignInWatcher()
{
    m_watcher->start();
}

void MainWindow::checkSignIn()
{
    AppSession &session = AppSession::instance();
    if (!session.signedInFlag())
        return;
    session.setSessionStopped(false);
    m_greeting->setText(QStringLiteral("欢迎，") + QString::fromStdString(session.accountName()));
    show();
    session.setSignedInFlag(false);
}

} // namespace cloud
