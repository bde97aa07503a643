#include "FakeService.h"
#include "GuiTestEnvironment.h"
#include "HostReplies.h"
#include "MainTestPacing.h"
#include "UrlRecorder.h"

#include "finance/CardTopUpPage.h"
#include "finance/ProfileWindow.h"
#include "finance/UserProfile.h"
#include "hosts/HostListPage.h"
#include "hosts/MainTray.h"
#include "hosts/MainWindow.h"
#include "hosts/SessionGeneration.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/LoginWindow.h"
#include "ui/Workers.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTableWidget>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace cloud::test {

namespace {

class MainWindowTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Pacing::install(pacing);
        MessageBox::takeRecords();
        UserProfile::instance().clear();
        AppSession &session = AppSession::instance();
        session.setSessionStopped(false);
        session.setSignedInFlag(false);
        session.setAccountName("demo");
        session.setAccountPassword("secret");
        session.setDeviceKey("0123456789ABCDEF");
        session.setTitleText("云服务器");
        session.setHelpText("客服时间：9:00-21:00");
        service = std::make_unique<FakeService>();
        service->on("/user/khdloginpd", "1000");
        service->on("/user/data/usernmae", R"({"data":{"username":"demo"}})");
        service->on("/user/userinfo", R"({"data":{"VerificationResult":1,"truename":"张三",)"
                                      R"("usermoney":12.5,"mobi":"13800000000","QQ":"10001",)"
                                      R"("email":"demo@example.com"}})");
        service->on("/user/data/vpslist", hostListReply(3, someHosts(3)));
        service->on("/khd?act=gg", "A\r\nB");
        login = std::make_unique<LoginWindow>();
        window = std::make_unique<MainWindow>(login.get());
        QObject::connect(window.get(), &MainWindow::quitRequested, [this] { ++quits; });
    }

    void TearDown() override
    {
        window.reset();
        login.reset();
        Workers::resetForTests();
        service.reset();
        resetClientState();
    }

    // The hand-over of a sign-in flow, then the watcher's initialisation.
    void signIn()
    {
        QSignalSpy shown(window.get(), &MainWindow::initialised);
        login->hide();
        AppSession::instance().setSignedInFlag(true);
        ASSERT_TRUE(shown.wait(5000));
        EXPECT_FALSE(AppSession::instance().signedInFlag());
    }

    void signOut()
    {
        QSignalSpy done(window.get(), &MainWindow::signedOut);
        window->signOut();
        ASSERT_TRUE(done.wait(5000));
    }

    int loops(SessionGeneration::Loop kind) const
    {
        return window->sessionGeneration().runningLoops(kind);
    }

    bool loopsSettleAt(int watcher, int refresh, int tips)
    {
        return QTest::qWaitFor(
            [&] {
                return loops(SessionGeneration::Watcher) == watcher &&
                       loops(SessionGeneration::RefreshLoop) == refresh &&
                       loops(SessionGeneration::TipRotation) == tips;
            },
            5000);
    }

    QStringList messages(MessageBox::Kind kind)
    {
        QStringList texts;
        for (const MessageBox::Record &record : MessageBox::takeRecords())
            if (record.kind == kind)
                texts << record.title + QStringLiteral("|") + record.text;
        return texts;
    }

    template <typename T = QWidget> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromUtf8(name));
    }

    std::shared_ptr<ShortPacing> pacing = std::make_shared<ShortPacing>();
    std::unique_ptr<FakeService> service;
    std::unique_ptr<LoginWindow> login;
    std::unique_ptr<MainWindow> window;
    int quits = 0;
};

TEST_F(MainWindowTest, WindowCarriesItsNamedControls)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("MainWindow"));
    EXPECT_EQ(window->size(), QSize(900, 500));
    const char *names[] = {
        "窗口EX1",        "列表框EX1",      "选择夹EX1",  "用户名标签", "图片框EX2",
        "图片框EX1",      "标签EX17",       "标签EX2",    "标签最小化", "标签关闭",
        "标签EX3",        "标签EX16",       "组合框页数", "标签EX15",   "超级列表框EX2",
        "标签EX1",        "超级列表框EX1",  "标签EX5",    "标签EX6",    "标签EX7",
        "标签EX8",        "组合框EX1",      "标签EX9",    "类型选择框", "地区选择框",
        "超级列表框EX3",  "购买按钮",       "标签EX14",   "图片框EX3",  "标签EX4",
        "图片框EX4",      "标签EX10",       "分组框EX2",  "标签EX11",   "分组框卡密激活",
        "编辑框卡号",     "编辑框卡密",     "图片框EX5",  "图片框EX7",  "按钮打码登录2",
        "图片框登录进度", "图片框登录进度1"};
    for (const char *name : names)
        EXPECT_NE(child(name), nullptr) << name;
    EXPECT_EQ(child("选择夹EX1")->geometry(), QRect(161, 59, 722, 418));
    EXPECT_EQ(child("列表框EX1")->geometry(), QRect(8, 156, 132, 322));
    EXPECT_EQ(window->tabBox()->count(), 5);
    EXPECT_EQ(child<QLabel>("标签EX17")->text(), QStringLiteral("帮助"));
    EXPECT_EQ(child<QLabel>("标签EX2")->text(), QStringLiteral("设置"));
    EXPECT_EQ(child<QLabel>("标签EX4")->text(), QStringLiteral("企业微信客服"));
    EXPECT_EQ(child<QLabel>("标签EX10")->text(), QStringLiteral("微信公众号"));
    EXPECT_EQ(child<QPushButton>("按钮打码登录2")->text(), QStringLiteral("使用"));
    EXPECT_EQ(child<HintLineEdit>("编辑框卡号")->text(), QStringLiteral("卡号"));
    EXPECT_EQ(child<HintLineEdit>("编辑框卡密")->text(), QStringLiteral("卡密"));

    auto *finance = child<QTableWidget>("超级列表框EX1");
    ASSERT_EQ(finance->columnCount(), 5);
    EXPECT_EQ(finance->horizontalHeaderItem(4)->text(), QStringLiteral("来源/用途"));
    auto *financePages = child<QComboBox>("组合框EX1");
    EXPECT_EQ(financePages->count(), 10);
    EXPECT_EQ(financePages->currentText(), QStringLiteral("1"));
    auto *products = child<QTableWidget>("超级列表框EX3");
    ASSERT_EQ(products->columnCount(), 9);
    EXPECT_EQ(products->horizontalHeader()->sectionSize(6), 0);
    EXPECT_EQ(products->horizontalHeaderItem(6)->text(), QStringLiteral("ID"));
}

// The logo sits on the window above the tab box; no page may put a control under it.
TEST_F(MainWindowTest, LogoCoversNoControlOfAnyPage)
{
    auto *logo =
        window->findChild<QWidget *>(QStringLiteral("图片框EX1"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(logo, nullptr);
    window->show();
    for (int page = 0; page < window->tabBox()->count(); ++page) {
        window->tabBox()->setCurrentIndex(page);
        for (QWidget *control : window->tabBox()->widget(page)->findChildren<QWidget *>()) {
            const bool readable =
                qobject_cast<QAbstractScrollArea *>(control) || qobject_cast<QLabel *>(control) ||
                qobject_cast<QAbstractButton *>(control) || qobject_cast<QComboBox *>(control) ||
                qobject_cast<QLineEdit *>(control);
            if (!readable || !control->isVisible())
                continue;
            const QRect area(control->mapTo(window.get(), QPoint(0, 0)), control->size());
            EXPECT_FALSE(area.intersects(logo->geometry()))
                << "page " << page << ": " << control->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, SignInInitialisesTheWindow)
{
    QSignalSpy finance(window.get(), &MainWindow::financePageRequested);
    QSignalSpy catalogue(window.get(), &MainWindow::catalogueRequested);
    window->startSignInWatcher();
    signIn();

    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(AppSession::instance().sessionStopped());
    EXPECT_EQ(window->tray()->icon()->toolTip(), QStringLiteral("管理工具"));
    EXPECT_TRUE(window->tray()->iconShown());
    QListWidget *nav = window->navList();
    ASSERT_EQ(nav->count(), 5);
    const QStringList entries = {QStringLiteral("产品列表"), QStringLiteral("财务信息"),
                                 QStringLiteral("购买产品"), QStringLiteral("客服中心"),
                                 QStringLiteral("卡密激活")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(nav->item(i)->text(), entries[i]);
    EXPECT_EQ(nav->currentRow(), 0);
    EXPECT_EQ(window->tabBox()->currentIndex(), 0);
    EXPECT_EQ(window->hostListPage()->selectorText(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>("标签EX11")->text(), QStringLiteral("客服时间：9:00-21:00"));
    ASSERT_EQ(finance.count(), 1);
    EXPECT_EQ(finance.at(0).at(0).toString(), QStringLiteral("1"));
    EXPECT_EQ(catalogue.count(), 1);

    // The list is filled at once, the name and the tips follow from their workers.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->hostTable()->rowCount() == 3; }, 5000));
    EXPECT_GE(service->count("/user/data/vpslist?page=1"), 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->userNameLabel()->text() == QStringLiteral("demo"); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->hostListPage()->tipLabel()->text() == QStringLiteral("B"); }, 5000));
}

TEST_F(MainWindowTest, AnnouncementIsShownInASkinnedBoxOnlyWhenThereIsOne)
{
    service->on("/khd?act=tcgg", "今晚 23:00 维护");
    window->startSignInWatcher();
    signIn();
    QStringList shown;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            shown << messages(MessageBox::Kind::Skinned);
            return !shown.isEmpty();
        },
        5000));
    EXPECT_EQ(shown, QStringList{QStringLiteral("公告|今晚 23:00 维护")});

    signOut();
    service->on("/khd?act=tcgg", "");
    signIn();
    EXPECT_TRUE(QTest::qWaitFor([&] { return service->count("/khd?act=tcgg") == 2; }, 5000));
    QTest::qWait(100);
    EXPECT_TRUE(messages(MessageBox::Kind::Skinned).isEmpty());
}

TEST_F(MainWindowTest, SignOutsAndSignInsLeaveOneOfEachLoop)
{
    window->startSignInWatcher();
    window->startSignInWatcher();
    for (int round = 0; round < 3; ++round) {
        signIn();
        ASSERT_TRUE(loopsSettleAt(1, 1, 1)) << round;
        if (round == 2)
            break;
        login->signInButton()->setEnabled(false);
        login->signInButton()->setText(QStringLiteral("    登录成功"));
        signOut();
        EXPECT_TRUE(login->isVisible());
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(login->signInButton()->isEnabled());
        EXPECT_EQ(login->signInButton()->text(), QStringLiteral("登录"));
        EXPECT_TRUE(AppSession::instance().sessionStopped());
        EXPECT_FALSE(window->tray()->iconShown());
        EXPECT_TRUE(loopsSettleAt(1, 0, 0)) << round;
    }
    // Old loops that wake late end themselves instead of running beside the new ones.
    QTest::qWait(300);
    EXPECT_TRUE(loopsSettleAt(1, 1, 1));
    EXPECT_EQ(service->count("/user/logout.asp"), 2);
    // Besides transient loads: the watcher, the refresh loop and the tip rotation.
    EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 3; }, 5000))
        << Workers::running();
}

TEST_F(MainWindowTest, LoopThatWakesAfterANewSignInEndsItself)
{
    // The first session's refresh loop is held in its user-name request across a sign-out
    // and the next sign-in.
    std::mutex mutex;
    std::condition_variable released;
    bool hold = true;
    int nameRequests = 0;
    service->on("/user/data/usernmae", [&](const httplib::Request &) {
        std::unique_lock lock(mutex);
        if (++nameRequests == 1)
            released.wait_for(lock, std::chrono::seconds(10), [&] { return !hold; });
        return std::string(R"({"data":{"username":"demo"}})");
    });
    window->startSignInWatcher();
    signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return service->count("/user/data/usernmae") == 1; }, 5000));
    signOut();
    signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return service->count("/user/data/usernmae") >= 2; }, 5000));
    {
        std::lock_guard lock(mutex);
        hold = false;
    }
    released.notify_all();
    QTest::qWait(300);
    EXPECT_TRUE(loopsSettleAt(1, 1, 1));
    QTest::qWait(300);
    EXPECT_EQ(loops(SessionGeneration::RefreshLoop), 1);
}

TEST_F(MainWindowTest, FailedSessionCheckEndsTheLoopsWithoutAWord)
{
    service->on("/user/khdloginpd", "1001");
    window->startSignInWatcher();
    signIn();
    EXPECT_TRUE(loopsSettleAt(1, 0, 0));
    EXPECT_TRUE(AppSession::instance().sessionStopped());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(login->isVisible());
    // The load of the initialisation is done; no refresh follows it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->hostTable()->rowCount() == 3; }, 5000));
    const int loads = service->count("/user/data/vpslist?page=1");
    QTest::qWait(300);
    EXPECT_EQ(service->count("/user/data/vpslist?page=1"), loads);
    EXPECT_TRUE(messages(MessageBox::Kind::Information).isEmpty());
    EXPECT_EQ(quits, 0);
}

TEST_F(MainWindowTest, TwoRefreshesWithoutNameEndTheProgram)
{
    service->on("/user/data/usernmae", R"({"data":{}})");
    window->startSignInWatcher();
    signIn();
    EXPECT_TRUE(QTest::qWaitFor([&] { return quits == 1; }, 5000));
    EXPECT_EQ(messages(MessageBox::Kind::Information),
              QStringList{QStringLiteral("信息：|网络连接失败，请重新登录！")});
    EXPECT_FALSE(window->tray()->iconShown());
}

TEST_F(MainWindowTest, RealNameGateKeepsUnverifiedAccountsFromHostsAndCards)
{
    struct Case
    {
        const char *realName;
        int entry;
        bool allowed;
    };
    const Case cases[] = {{"未实名", 0, false}, {"未实名", 1, true},  {"未实名", 2, true},
                          {"未实名", 3, true},  {"未实名", 4, false}, {"", 0, true},
                          {"", 4, true},        {"张三", 0, true},    {"张三", 4, true}};
    for (const Case &c : cases) {
        UserProfile::instance().setRealNameText(c.realName);
        window->onNavigate(MainWindow::ServiceEntry);
        MessageBox::takeRecords();
        window->onNavigate(c.entry);
        const int expectedPage = c.allowed ? c.entry : int(MainWindow::ServiceEntry);
        EXPECT_EQ(window->tabBox()->currentIndex(), expectedPage) << c.realName << c.entry;
        EXPECT_EQ(window->navList()->currentRow(), expectedPage) << c.realName << c.entry;
        const QStringList shown = messages(MessageBox::Kind::Information);
        if (c.allowed) {
            EXPECT_TRUE(shown.isEmpty()) << c.realName << c.entry;
            continue;
        }
        EXPECT_EQ(shown, QStringList{QStringLiteral("信息：|您还未实名认证，请先进行实名")});
        ASSERT_NE(window->profileWindow(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->profileWindow()->isVisible(); }, 5000));
        window->profileWindow()->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->profileWindow() == nullptr; }, 5000));
    }
}

TEST_F(MainWindowTest, NavigationLoadsTheirPagesAndChecksTheSession)
{
    QSignalSpy finance(window.get(), &MainWindow::financePageRequested);
    window->hostListPage()->setSelectorText(QStringLiteral("2"));
    window->onNavigate(MainWindow::HostsEntry);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return service->count("/user/data/vpslist?page=2") == 1; }, 5000));
    window->onNavigate(MainWindow::FinanceEntry);
    ASSERT_EQ(finance.count(), 1);
    EXPECT_EQ(finance.at(0).at(0).toString(), QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return service->count("/user/khdloginpd") == 2; }, 5000));

    // The reloader that host operations keep works from their workers.
    std::thread([reload = window->hostListReloader()] { reload(); }).join();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return service->count("/user/data/vpslist?page=2") == 2; }, 5000));

    // Picking a page in the selector loads that page.
    window->hostListPage()->setSelectorText(QStringLiteral("garbage"));
    emit window->hostListPage()->pageChosen();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return service->count("/user/data/vpslist?page=1") == 1; }, 5000));
}

TEST_F(MainWindowTest, ProfileWindowShowsTheProfile)
{
    UserProfile::instance().setUserName("demo");
    UserProfile::instance().setRealNameText("张三");
    window->openProfileWindow();
    ProfileWindow *profile = window->profileWindow();
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return profile->isVisible(); }, 5000));
    EXPECT_EQ(profile->size(), QSize(385, 365));
    EXPECT_TRUE(profile->isModal());
    EXPECT_EQ(profile->greetingLabel()->text(),
              QStringLiteral("尊敬的张三,欢迎您使用云服务器产品！"));
    EXPECT_EQ(profile->balanceLabel()->text(), QStringLiteral("当前余额:12.5元"));
    EXPECT_FALSE(profile->realNameLink()->isVisible());
    const std::pair<const char *, const char *> fields[] = {{"会员ID", "demo"},
                                                            {"真实姓名", "张三"},
                                                            {"手机号码", "13800000000"},
                                                            {"QQ号码", "10001"},
                                                            {"邮箱", "demo@example.com"}};
    for (const auto &[name, value] : fields)
        EXPECT_EQ(profile->findChild<QLabel *>(QString::fromUtf8(name))->text(),
                  QString::fromUtf8(value))
            << name;

    UserProfile::instance().setRealNameText("未实名");
    profile->fill();
    EXPECT_EQ(profile->greetingLabel()->text(),
              QStringLiteral("您还未实名认证，根据相关法律法规，使用前请先实名认证！"));
    EXPECT_TRUE(profile->realNameLink()->isVisible());

    // A link's window takes the profile's place; closing it closes the profile too.
    QSignalSpy opened(profile, &ProfileWindow::linkedDialogOpened);
    QTest::mouseClick(profile->rechargeLink(), Qt::LeftButton, {},
                      profile->rechargeLink()->rect().center());
    ASSERT_EQ(opened.count(), 1);
    auto *recharge = opened.at(0).at(0).value<QWidget *>();
    EXPECT_EQ(recharge->objectName(), QStringLiteral("RechargeWindow"));
    EXPECT_EQ(recharge->size(), QSize(348, 237));
    EXPECT_FALSE(profile->isVisible());
    recharge->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->profileWindow() == nullptr; }, 5000));
}

TEST_F(MainWindowTest, HelpOpensOnlyWebAddresses)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    const std::pair<const char *, bool> cases[] = {{"", true},
                                                   {"https://www.example.com/help", true},
                                                   {"file:///etc/passwd", false},
                                                   {"javascript:alert(1)", false},
                                                   {"http://", false}};
    for (const auto &[site, opens] : cases) {
        recorder.opened.clear();
        window->setHelpSiteUrl(QString::fromUtf8(site));
        QTest::mouseClick(child("标签EX17"), Qt::LeftButton, {},
                          child("标签EX17")->rect().center());
        EXPECT_EQ(recorder.opened.size(), opens ? 1 : 0) << site;
    }
    window->setHelpSiteUrl({});
    recorder.opened.clear();
    window->openHelpSite();
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened.front().toString().toStdString(),
              AppSession::instance().baseUrl() + "/");
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromUtf8(scheme));
}

TEST_F(MainWindowTest, TopBarLabelsAndWindowMenu)
{
    ASSERT_TRUE(showActive(*window));
    QSignalSpy settings(window.get(), &MainWindow::remoteSettingsRequested);
    QTest::mouseClick(child("标签EX2"), Qt::LeftButton, {}, child("标签EX2")->rect().center());
    EXPECT_EQ(settings.count(), 1);

    // Without a notification area the window keeps the icon menu's two items at hand,
    // and minimising leaves it on the task bar.
    ASSERT_FALSE(MainTray::available());
    EXPECT_TRUE(window->windowMenuLabel()->isVisible());
    QStringList items;
    for (QAction *action : window->tray()->menu()->actions())
        items << action->text();
    EXPECT_EQ(items.join(QLatin1Char('/')), QStringLiteral("退出程序/注销登录"));
    QTest::mouseClick(window->minimiseLabel(), Qt::LeftButton, {},
                      window->minimiseLabel()->rect().center());
    EXPECT_TRUE(window->isVisible());

    window->tray()->menu()->actions().at(0)->trigger();
    EXPECT_EQ(quits, 1);
    QTest::mouseClick(window->closeLabel(), Qt::LeftButton, {},
                      window->closeLabel()->rect().center());
    EXPECT_EQ(quits, 2);
}

} // namespace
} // namespace cloud::test
