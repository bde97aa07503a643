#include "ui/ClientDemo.h"

#include "hosts/MainWindow.h"
#include "platform/ProcessStart.h"
#include "ui/ClientApp.h"
#include "ui/LoginWindow.h"

#include <QTimer>

#include <cstdio>

namespace cloud {

namespace {

// The LoginWindow's decorations (slide, fade, logo) are over after about two seconds.
constexpr int kSettleMs = 2500;
// A demo sign-in reaches the main window within a few seconds (random pauses, the
// watcher's second); it is given this long before the picture is taken anyway.
constexpr int kMainWindowPolls = 100;
constexpr int kPollMs = 100;
constexpr int kMainWindowSettleMs = 1000;

} // namespace

ClientDemo::ClientDemo(ClientApp *client, ClientOptions options)
    : m_client(client), m_options(std::move(options)), m_poll(new QTimer(this))
{
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &ClientDemo::waitForMainWindow);
    connect(client, &ClientApp::readyForInput, this, &ClientDemo::onReady);
}

void ClientDemo::onReady()
{
    if (m_options.reportReady) {
        std::printf("ready-ms %lld\n", millisecondsSinceProcessStart());
        std::fflush(stdout);
        m_client->end(0);
        return;
    }
    if (m_options.screenshotPath.isEmpty())
        return;
    if (m_options.demoSignIn())
        m_poll->start();
    else
        QTimer::singleShot(kSettleMs, this, &ClientDemo::saveScreenshot);
}

void ClientDemo::waitForMainWindow()
{
    MainWindow *main = m_client->mainWindow();
    if ((main && main->isVisible()) || ++m_polls >= kMainWindowPolls) {
        m_poll->stop();
        QTimer::singleShot(kMainWindowSettleMs, this, &ClientDemo::saveScreenshot);
    }
}

void ClientDemo::saveScreenshot()
{
    MainWindow *main = m_client->mainWindow();
    QWidget *shown = main && main->isVisible() ? static_cast<QWidget *>(main)
                                               : static_cast<QWidget *>(m_client->loginWindow());
    const bool saved = shown->grab().save(m_options.screenshotPath);
    std::printf("screenshot of %s saved: %s\n", qPrintable(shown->objectName()),
                saved ? "yes" : "no");
    std::fflush(stdout);
    m_client->end(saved ? 0 : 1);
}

} // namespace cloud
