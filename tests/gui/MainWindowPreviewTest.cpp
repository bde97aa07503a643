#include "FakeService.h"
#include "GuiTestEnvironment.h"
#include "HostReplies.h"
#include "MainTestPacing.h"

#include "finance/UserProfile.h"
#include "hosts/MainWindow.h"
#include "ui/HoverLabel.h"
#include "ui/LoginWindow.h"
#include "ui/Workers.h"

#include <QBuffer>
#include <QPainter>
#include <QSignalSpy>
#include <QTableWidget>

namespace cloud::test {
namespace {

std::string wordmark()
{
    QImage image(646, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(52);
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("云服务器客户端"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::vector<HostJson> demoHosts()
{
    const char *types[] = {"香港云服务器", "美国高防云", "显卡云服务器", "国内挂机宝",
                           "日本云服务器"};
    const char *states[] = {"运行中", "运行中", "运行中", "已到期", "运行中"};
    const char *zts[] = {"", "", "", "", "重装中"};
    const char *configs[][3] = {{"2核", "4G", "5M"},
                                {"4核", "8G", "20M"},
                                {"8核", "32G", "50M"},
                                {"1核", "2G", "3M"},
                                {"2核", "2G", "10M"}};
    const char *expiries[] = {"2027-03-18", "2026-12-30", "2027-01-09", "2026-11-02", "2027-06-21"};
    const char *remarks[] = {"官网", "备用线路", "渲染", "", "测试"};
    std::vector<HostJson> hosts;
    for (int i = 0; i < 5; ++i) {
        HostJson host;
        host.id = 1001 + i;
        host.type = types[i];
        host.address = "203.0.113." + std::to_string(21 + i * 17) + (i == 1 ? ":33890" : "");
        host.status = states[i];
        host.zt = zts[i];
        host.cpu = configs[i][0];
        host.memory = configs[i][1];
        host.bandwidth = configs[i][2];
        host.expiry = expiries[i];
        host.remark = remarks[i];
        hosts.push_back(host);
    }
    return hosts;
}

// Saves a picture of the main window with demo hosts when CLOUD_MAIN_SCREENSHOT names a
// file (docs/screenshots/main.png is made this way, under xvfb-run).
TEST(MainWindowPreview, SavesAPictureWhenAsked)
{
    const QString target = qEnvironmentVariable("CLOUD_MAIN_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "CLOUD_MAIN_SCREENSHOT not set";
    guiApp();
    Pacing::install(std::make_shared<ShortPacing>(1000));
    {
        FakeService service;
        service.on("/user/khdloginpd", "1000");
        service.on("/user/data/usernmae", R"({"data":{"username":"demo_user"}})");
        service.on("/user/data/vpslist", hostListReply(7, demoHosts()));
        AppSession::instance().setLogoImage(wordmark());
        AppSession::instance().setHelpText("客服在线时间：每天 9:00-23:00，节假日不休");
        LoginWindow login;
        MainWindow window(&login);
        QSignalSpy shown(&window, &MainWindow::initialised);
        window.initialiseMainWindow();
        ASSERT_TRUE(shown.wait(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.hostTable()->rowCount() == 5; }, 5000));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !window.userNameLabel()->text().isEmpty(); }, 5000));
        window.hostTable()->selectRow(1);
        QTest::qWait(300);
        EXPECT_TRUE(window.grab().save(target));
        AppSession::instance().setSessionStopped(true);
    }
    Workers::resetForTests();
    Pacing::install(nullptr);
    UserProfile::instance().clear();
    AppSession::instance().setLogoImage({});
    AppSession::instance().setSessionStopped(false);
}

} // namespace
} // namespace cloud::test
