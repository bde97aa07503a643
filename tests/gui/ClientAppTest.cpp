#include "FakeAccountService.h"
#include "GuiTestEnvironment.h"

#include "account/SignInDisplay.h"
#include "app/IniFile.h"
#include "app/Pacing.h"
#include "hosts/MainWindow.h"
#include "net/HttpEngine.h"
#include "ui/ClientApp.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/LoginWindow.h"
#include "ui/MessageBox.h"
#include "ui/PictureBox.h"
#include "ui/Workers.h"

#include <QDesktopServices>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <mutex>

namespace cloud::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Takes the web pages the client asks the desktop to open.
class BrowserStandIn : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class ClientAppTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        Pacing::install(std::make_shared<InstantPacing>());
        MessageBox::takeRecords();
        programDir = dir.filePath(QStringLiteral("program")).toStdString();
        documentsDir = dir.filePath(QStringLiteral("Documents")).toStdString();
        fs::create_directories(programDir);
        fs::create_directories(documentsDir);
    }

    void TearDown() override
    {
        client.reset();
        Workers::resetForTests();
        Pacing::install(nullptr);
        MessageBox::takeRecords();
    }

    ClientApp::Environment environment(const std::string &host)
    {
        ClientApp::Environment env;
        env.inputs.apiHost = host;
        env.inputs.localVersion = "Ver 3.8";
        env.inputs.programDir = programDir;
        env.inputs.documentsDir = documentsDir;
        env.inputs.fetch = [](const std::string &url) { return HttpEngine::fetchPage(url); };
        env.inputs.writeIni = [](const std::string &file, const std::string &section,
                                 const std::string &key,
                                 const std::string &value) { writeIni(file, section, key, value); };
        env.inputs.deviceKey = [] { return std::string("0123456789ABCDEF"); };
        env.writeUpdater = [this](const std::string &path) {
            std::lock_guard lock(mutex);
            updaterWrites.push_back(path);
            return true;
        };
        env.startProgram = [this](const std::string &path) {
            started.push_back(path);
            return true;
        };
        // Joins the workers without ending the network for the rest of the test program.
        env.stopWorkers = [] { Workers::resetForTests(); };
        return env;
    }

    // Starts a client and waits until it is ready for input or has ended.
    void startClient(const std::string &host)
    {
        client = std::make_unique<ClientApp>(environment(host));
        ready = std::make_unique<QSignalSpy>(client.get(), &ClientApp::readyForInput);
        ended = std::make_unique<QSignalSpy>(client.get(), &ClientApp::ended);
        client->start();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return ready->count() > 0 || ended->count() > 0; }, 10000));
    }

    QTemporaryDir dir;
    std::string programDir;
    std::string documentsDir;
    std::mutex mutex;
    std::vector<std::string> updaterWrites;
    std::vector<std::string> started;
    std::unique_ptr<ClientApp> client;
    std::unique_ptr<QSignalSpy> ready;
    std::unique_ptr<QSignalSpy> ended;
};

TEST_F(ClientAppTest, StartUpLeadsToTheSignInPage)
{
    FakeAccountService service;
    startClient(service.host());
    ASSERT_EQ(ready->count(), 1);
    LoginWindow *login = client->loginWindow();

    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());
    EXPECT_EQ(updaterWrites, std::vector<std::string>{programDir + "/update.exe"});
    EXPECT_EQ(readIni(programDir + "/更新配置.ini", "更新", "API地址"),
              "http://" + service.host() + "/khd?act=");
    EXPECT_TRUE(fs::is_directory(programDir + "/History"));
    EXPECT_EQ(AppSession::instance().accountIniPath(), documentsDir + "/云.ini");
    EXPECT_FALSE(login->logoImage()->image().isNull());
    EXPECT_FALSE(login->captchaPicture()->image().isNull());
    EXPECT_EQ(service.requestsTo("/khd").size(), 3u);
    EXPECT_EQ(service.requestsTo("/user/captcha").size(), 1u);

    EXPECT_TRUE(login->isVisible());
    EXPECT_TRUE(login->tabBox()->isEnabled());
    EXPECT_TRUE(login->navList()->isEnabled());
    EXPECT_TRUE(login->signInButton()->isEnabled());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return login->signInPage()->x() == LoginWindow::restX; }, 3000));
    ASSERT_NE(client->mainWindow(), nullptr);
    EXPECT_FALSE(client->mainWindow()->isVisible());
    // Nothing is remembered: no automatic sign-in.
    QTest::qWait(50);
    EXPECT_TRUE(service.requestsTo("/user/khdloginpd").empty());
}

struct VersionCase
{
    const char *reply;   // nullptr: no service at all
    const char *message; // nullptr: start-up goes on
    int exitCode;
    bool updaterStarted;
};

TEST_F(ClientAppTest, VersionDecision)
{
    const VersionCase cases[] = {
        {"3.8", nullptr, 0, false},
        {"3.9", "有新版本更新", 0, true},
        {"3.7", "有新版本更新", 0, true},
        {"3.8\r\n", "有新版本更新", 0, true},
        {"3.8 ", "有新版本更新", 0, true},
        {"", "网络初始化失败，请检查网络", 1, false},
        {nullptr, "网络初始化失败，请检查网络", 1, false},
    };
    for (const VersionCase &c : cases) {
        SCOPED_TRACE(c.reply ? testing::PrintToString(std::string(c.reply)) : "no service");
        started.clear();
        FakeAccountService service;
        service.setVersionReply(c.reply ? c.reply : "");
        startClient(c.reply ? service.host() : "127.0.0.1:1");

        const auto boxes = MessageBox::takeRecords();
        if (!c.message) {
            EXPECT_EQ(ready->count(), 1);
            EXPECT_TRUE(boxes.isEmpty());
            EXPECT_TRUE(started.empty());
            continue;
        }
        ASSERT_EQ(ended->count(), 1);
        EXPECT_EQ(ended->at(0).at(0).toInt(), c.exitCode);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].kind, MessageBox::Kind::Information);
        EXPECT_EQ(boxes[0].title, QStringLiteral("信息："));
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(started, c.updaterStarted ? std::vector<std::string>{programDir + "/update.exe"}
                                            : std::vector<std::string>{});
        // "update.exe" is written before the decision, whatever it is.
        EXPECT_FALSE(updaterWrites.empty());
        EXPECT_FALSE(client->loginWindow()->isVisible());
        EXPECT_EQ(client->mainWindow(), nullptr);
        EXPECT_TRUE(AppSession::instance().baseUrl().empty()) << "the exit clean-up ran";
    }
}

TEST_F(ClientAppTest, AutomaticSignInAtStartHandsOverToTheMainWindow)
{
    FakeAccountService service;
    std::ofstream(documentsDir + "/云.ini", std::ios::binary)
        << "[Config]\r\nRememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n";
    startClient(service.host());
    ASSERT_EQ(ready->count(), 1);
    // The main window's watcher looks once a second.
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->mainWindow()->isVisible(); }, 5000));
    EXPECT_FALSE(client->loginWindow()->isVisible());
    EXPECT_FALSE(AppSession::instance().signedInFlag()) << "the watcher clears the flag";
    EXPECT_EQ(AppSession::instance().accountName(), "a1");
    // The first key sign-in is the automatic one; the main window's session checks follow.
    const auto keySignIns = service.requestsTo("/user/khdloginpd");
    ASSERT_GE(keySignIns.size(), 1u);
    EXPECT_EQ(keySignIns[0].body,
              "username=a1&password=p1&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8");
}

TEST_F(ClientAppTest, LoginWindowRequestsReachTheirFlows)
{
    FakeAccountService service;
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    startClient(service.host());
    ASSERT_EQ(ready->count(), 1);
    LoginWindow *login = client->loginWindow();
    auto captchas = [&] { return service.requestsTo("/user/captcha").size(); };

    QTest::mouseClick(login->captchaPicture(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return captchas() == 2; }, 5000));
    login->navigate(LoginWindow::RecoveryPageIndex);
    login->navigate(LoginWindow::SignInPageIndex);
    EXPECT_TRUE(QTest::qWaitFor([&] { return captchas() == 3; }, 5000));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl(QString::fromStdString(
                                  "http://" + service.host() + "/user/findpwd/index.html"))});

    service.setSignInReply("1002");
    login->captchaEdit()->setValue(QStringLiteral("wxyz"));
    QTest::mouseClick(login->signInButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !client->signInDisplay()->claimed(); }, 10000));
    const auto signIns = service.requestsTo("/user/loginpost");
    ASSERT_EQ(signIns.size(), 1u);
    EXPECT_NE(signIns[0].body.find("&captcha=wxyz&"), std::string::npos);

    QTest::mouseClick(login->closeLabel(), Qt::LeftButton);
    ASSERT_EQ(ended->count(), 1);
    EXPECT_EQ(ended->at(0).at(0).toInt(), 0);
}

// The close label ends the program while the service sits on a sign-in: the exchange
// is cut off and every worker joined. Run in a process of its own, because ending the
// network is for good.
TEST_F(ClientAppTest, CloseLabelEndsCleanlyWhileASignInRuns)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto scenario = [this] {
        FakeAccountService service;
        service.setSignInDelay(30s);
        ClientApp::Environment env = environment(service.host());
        env.stopWorkers = Workers::stopAll;
        ClientApp app(env);
        QSignalSpy readySpy(&app, &ClientApp::readyForInput);
        QSignalSpy endedSpy(&app, &ClientApp::ended);
        app.start();
        if (!readySpy.wait(10000))
            std::_Exit(2);
        QTest::mouseClick(app.loginWindow()->signInButton(), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !service.requestsTo("/user/loginpost").empty(); }, 10000))
            std::_Exit(3);
        QTest::mouseClick(app.loginWindow()->closeLabel(), Qt::LeftButton);
        const bool clean = endedSpy.count() == 1 && Workers::running() == 0 &&
                           !service.signInAnswered() && AppSession::instance().baseUrl().empty();
        std::_Exit(clean ? 0 : 4);
    };
    EXPECT_EXIT(scenario(), testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace cloud::test

#include "ClientAppTest.moc"
