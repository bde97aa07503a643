#pragma once

#include <QFutureWatcher>
#include <QWidget>

#include <string>

class QLabel;
class QPushButton;

namespace updater {

// Tells the user which version the service offers and opens the service's web site,
// where the new client is downloaded. It changes no file.
class UpdaterWindow : public QWidget
{
    Q_OBJECT

public:
    // `updateAddress`: the client-information address ("http://host/khd?act="),
    // empty when the client left none.
    explicit UpdaterWindow(const std::string &updateAddress, QWidget *parent = nullptr);

private:
    void showVersion();
    void openSite();

    std::string m_site;
    QLabel *m_status = nullptr;
    QPushButton *m_download = nullptr;
    QFutureWatcher<std::string> m_query;
};

} // namespace updater
