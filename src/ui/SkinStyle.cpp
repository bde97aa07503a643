#include "ui/SkinStyle.h"

#include <QFile>

namespace cloud {

QString skinStyleSheet()
{
    QFile file(QStringLiteral(":/style/skin.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace cloud
