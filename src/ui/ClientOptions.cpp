#include "ui/ClientOptions.h"

namespace cloud {

ClientOptions ClientOptions::parse(const QStringList &arguments)
{
    ClientOptions options;
    // arguments[0] is the program.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        const qsizetype left = arguments.size() - i - 1;
        if (option == QStringLiteral("--demo-screenshot") && left >= 1) {
            options.screenshotPath = arguments.at(++i);
        } else if (option == QStringLiteral("--demo-sign-in") && left >= 2) {
            options.demoAccount = arguments.at(++i);
            options.demoPassword = arguments.at(++i);
        } else if (option == QStringLiteral("--report-ready")) {
            options.reportReady = true;
        } else if (option == QStringLiteral("--sequential-startup")) {
            options.sequentialStartup = true;
        }
    }
    return options;
}

} // namespace cloud
