#include "ui/WebPage.h"

#include <QDesktopServices>
#include <QUrl>

namespace cloud {

bool openWebPage(std::string_view address)
{
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())),
                   QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace cloud
