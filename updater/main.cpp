#include "UpdateSettings.h"
#include "UpdaterWindow.h"

#include "net/HttpEngine.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // One small query: give up after a few seconds rather than leave the window waiting.
    cloud::HttpLimits limits = cloud::HttpEngine::limits();
    limits.stallTime = std::chrono::seconds(10);
    limits.totalTime = std::chrono::seconds(20);
    cloud::HttpEngine::setLimits(limits);
    // The client writes the address next to this program at every start.
    const QString settings =
        QCoreApplication::applicationDirPath() + QStringLiteral("/更新配置.ini");
    updater::UpdaterWindow window(updater::readUpdateAddress(settings.toStdString()));
    window.show();
    return app.exec();
}
