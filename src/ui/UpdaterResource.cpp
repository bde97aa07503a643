#include "ui/UpdaterResource.h"

#include "platform/ExecutableFile.h"

#include <QFile>

namespace cloud {

bool writeUpdaterProgram(const std::string &path)
{
    QFile carried(QStringLiteral(":/updater/update.exe"));
    if (!carried.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = carried.readAll();
    if (bytes.isEmpty())
        return false;
    return writeExecutableFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace cloud
