#include "ui/ClientApp.h"
#include "ui/ClientDemo.h"
#include "ui/SkinStyle.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    cloud::applySkin(app);
    const cloud::ClientOptions options = cloud::ClientOptions::parse(app.arguments());
    cloud::ClientApp client(cloud::ClientApp::systemEnvironment(options), options);
    cloud::ClientDemo demo(&client, options);
    QObject::connect(&client, &cloud::ClientApp::ended, &app, &QApplication::exit,
                     Qt::QueuedConnection);
    client.start();
    return app.exec();
}
