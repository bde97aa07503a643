#include "UpdaterWindow.h"

#include "UpdateSettings.h"
#include "VersionQuery.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace updater {

namespace {

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

UpdaterWindow::UpdaterWindow(const std::string &updateAddress, QWidget *parent)
    : QWidget(parent), m_site(siteAddressOf(updateAddress))
{
    setWindowTitle(QStringLiteral("软件更新"));
    setObjectName(QStringLiteral("UpdaterWindow"));
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    auto *address = new QLabel(this);
    address->setObjectName(QStringLiteral("address"));
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_download = new QPushButton(QStringLiteral("打开官网下载新版本"), this);
    m_download->setObjectName(QStringLiteral("download"));
    layout->addWidget(m_status);
    layout->addWidget(address);
    layout->addWidget(m_download);
    resize(360, 140);

    connect(m_download, &QPushButton::clicked, this, &UpdaterWindow::openSite);
    connect(&m_query, &QFutureWatcher<std::string>::finished, this, &UpdaterWindow::showVersion);

    if (m_site.empty()) {
        m_status->setText(QStringLiteral("找不到服务地址，请重新安装客户端。"));
        m_download->setEnabled(false);
        return;
    }
    address->setText(QStringLiteral("服务地址: ") + fromUtf8(m_site));
    m_status->setText(QStringLiteral("正在查询新版本…"));
    m_query.setFuture(QtConcurrent::run(fetchVersionText, updateAddress + "ver"));
}

void UpdaterWindow::showVersion()
{
    const std::string version = m_query.result();
    if (version.empty())
        m_status->setText(QStringLiteral("无法连接服务，请检查网络。"));
    else
        m_status->setText(QStringLiteral("新版本: Ver ") + fromUtf8(version));
}

void UpdaterWindow::openSite()
{
    QDesktopServices::openUrl(QUrl(fromUtf8(m_site)));
}

} // namespace updater
