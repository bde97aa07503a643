#include "UpdateSettings.h"
#include "UpdaterWindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The client writes the address next to this program at every start.
    const QString settings =
        QCoreApplication::applicationDirPath() + QStringLiteral("/更新配置.ini");
    updater::UpdaterWindow window(updater::readUpdateAddress(settings.toStdString()));
    window.show();
    return app.exec();
}
