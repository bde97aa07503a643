#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace cloud::test {

// Stands in for the desktop's browser: keeps the addresses the client hands over
// (install it with QDesktopServices::setUrlHandler for each scheme).
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace cloud::test
