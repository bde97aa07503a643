#pragma once

#include "ui/ClientOptions.h"

#include <QObject>

class QTimer;

namespace cloud {

class ClientApp;

// What the demo and the start-up benchmark ask of a running client: the time until the
// LoginWindow takes input, printed on stdout, and a picture of the window that shows
// once the client has settled (the MainWindow after a demo sign-in). Each ends the client.
class ClientDemo : public QObject
{
    Q_OBJECT
public:
    ClientDemo(ClientApp *client, ClientOptions options);

private:
    void onReady();
    void waitForMainWindow();
    void saveScreenshot();

    ClientApp *m_client;
    ClientOptions m_options;
    QTimer *m_poll;
    int m_polls = 0;
};

} // namespace cloud
