#include "GuiTestEnvironment.h"
#include "LiveService.h"
#include "MainTestPacing.h"
#include "UrlRecorder.h"

#include "app/IniFile.h"
#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "finance/CardTopUpPage.h"
#include "finance/FinancePage.h"
#include "finance/ProfileRequests.h"
#include "finance/ProfileWindow.h"
#include "finance/RealNameWindow.h"
#include "finance/RechargeWindow.h"
#include "finance/UserProfile.h"
#include "hosts/MainWindow.h"
#include "net/HttpEngine.h"
#include "ui/ClientApp.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include <QDesktopServices>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <httplib.h>

#include <functional>
#include <mutex>

namespace cloud::test {

namespace {

constexpr const char *kAccount = "13900000000";
constexpr const char *kPassword = "demo1234";

// Shortened pauses, as the main window's tests use them, which a test may watch: the hook
// runs on the pausing thread before the pause.
class WatchedPacing : public ShortPacing
{
public:
    void pause(std::chrono::milliseconds ms) override
    {
        std::function<void(std::chrono::milliseconds)> hook;
        {
            std::lock_guard lock(m_mutex);
            hook = m_hook;
        }
        if (hook)
            hook(ms);
        ShortPacing::pause(ms);
    }
    void setHook(std::function<void(std::chrono::milliseconds)> hook)
    {
        std::lock_guard lock(m_mutex);
        m_hook = std::move(hook);
    }

private:
    std::mutex m_mutex;
    std::function<void(std::chrono::milliseconds)> m_hook;
};

// What a person's browser does with the payment page: load it, then send its form the way
// the confirm button does. The browser has no session of the client's.
struct PaymentPage
{
    int status = 0;
    std::string html; // UTF-8
    std::string formAction;
    std::string orderNumber;

    static PaymentPage load(const QUrl &url)
    {
        httplib::Client browser(url.host().toStdString(), url.port(80));
        const auto reply =
            browser.Get(url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString());
        PaymentPage page;
        if (!reply)
            return page;
        page.status = reply->status;
        page.html = gbkToUtf8(reply->body);
        const std::string form = textBetween(page.html, "<form", "</form>");
        page.formAction = textBetween(form, "action=\"", "\"");
        page.orderNumber = textBetween(form, "name=\"no\" value=\"", "\"");
        return page;
    }

    // The confirm button: a form POST to the form's action; gives the answer page.
    std::string confirm(const QUrl &url) const
    {
        httplib::Client browser(url.host().toStdString(), url.port(80));
        const auto reply =
            browser.Post(formAction, "no=" + orderNumber, "application/x-www-form-urlencoded");
        return reply && reply->status == 200 ? gbkToUtf8(reply->body) : std::string();
    }
};

// The whole client, started against the reference service and signed in by key as the
// seeded account that has not passed the real-name verification (balance 12.50).
class FinanceDemoPathTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        Pacing::install(pacing);
        MessageBox::takeRecords();
        UserProfile::instance().clear();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        startSignedInClient();
    }

    void TearDown() override
    {
        pacing->setHook({});
        client.reset();
        Workers::resetForTests();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        resetClientState();
    }

    ClientApp::Environment environment()
    {
        ClientApp::Environment env;
        env.inputs.apiHost = "127.0.0.1:" + std::to_string(service.running().port());
        env.inputs.localVersion = "Ver 3.8";
        env.inputs.programDir = dir.filePath(QStringLiteral("program")).toStdString();
        env.inputs.documentsDir = dir.filePath(QStringLiteral("Documents")).toStdString();
        QDir().mkpath(QString::fromStdString(env.inputs.programDir));
        QDir().mkpath(QString::fromStdString(env.inputs.documentsDir));
        env.inputs.fetch = [](const std::string &url) { return HttpEngine::fetchPage(url); };
        env.inputs.writeIni = [](const std::string &file, const std::string &section,
                                 const std::string &key,
                                 const std::string &value) { writeIni(file, section, key, value); };
        env.inputs.deviceKey = [] { return std::string("0123456789ABCDEF"); };
        env.writeUpdater = [](const std::string &) { return true; };
        env.startProgram = [](const std::string &) { return true; };
        env.stopWorkers = [] { Workers::resetForTests(); };
        return env;
    }

    void startSignedInClient()
    {
        ClientOptions options;
        options.demoAccount = QString::fromUtf8(kAccount);
        options.demoPassword = QString::fromUtf8(kPassword);
        client = std::make_unique<ClientApp>(environment(), options);
        client->start();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return client->mainWindow() && client->mainWindow()->isVisible(); }, 10000));
        // The refresh loop's first pass brings the profile in.
        ASSERT_TRUE(QTest::qWaitFor([] { return UserProfile::instance().isUnverified(); }, 5000));
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
        MessageBox::takeRecords(); // the announcement
    }

    MainWindow &main() { return *client->mainWindow(); }

    // The plain notices shown since the last look.
    static QStringList notices()
    {
        QStringList texts;
        for (const MessageBox::Record &box : MessageBox::takeRecords())
            if (box.kind == MessageBox::Kind::Information)
                texts << box.text;
        return texts;
    }

    void clickNavigation(MainWindow::Entry entry)
    {
        QListWidget *list = main().navList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(entry)).center());
    }

    static void click(QWidget *widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    // Keys for Latin text; Chinese arrives the way an input method commits it.
    static void type(QLineEdit *edit, const QString &text)
    {
        click(edit);
        edit->selectAll();
        bool latin = true;
        for (const QChar c : text)
            latin = latin && c.unicode() < 0x80;
        if (latin) {
            QTest::keyClicks(edit, text);
            return;
        }
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QCoreApplication::sendEvent(edit, &composed);
    }

    // The user-name label opens the profile, which shows once it is reloaded.
    ProfileWindow *openProfile()
    {
        click(main().userNameLabel());
        ProfileWindow *profile = main().profileWindow();
        if (!profile || !QTest::qWaitFor([&] { return profile->isVisible(); }, 5000))
            return nullptr;
        return profile;
    }

    template <typename Dialog> Dialog *followLink(ProfileWindow *profile, HoverLabel *link)
    {
        QSignalSpy opened(profile, &ProfileWindow::linkedDialogOpened);
        click(link);
        return opened.count() == 1 ? qobject_cast<Dialog *>(opened.at(0).at(0).value<QWidget *>())
                                   : nullptr;
    }

    // Types the data into the RealNameWindow and presses "认证"; the window is settled after.
    static void submitRealName(RealNameWindow *window, const QString &name, const QString &number)
    {
        type(window->nameEdit(), name);
        type(window->idNumberEdit(), number);
        QPointer<RealNameWindow> guard(window);
        click(window->submitButton());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !guard || !guard->isBusy(); }, 5000));
        QCoreApplication::processEvents();
    }

    // From the profile's "实名认证" link to the accepted verification.
    void verify(const QString &name, const QString &number)
    {
        ProfileWindow *profile = openProfile();
        ASSERT_NE(profile, nullptr);
        auto *window = followLink<RealNameWindow>(profile, profile->realNameLink());
        ASSERT_NE(window, nullptr);
        QSignalSpy closed(window, &RealNameWindow::closed);
        submitRealName(window, name, number);
        ASSERT_EQ(closed.count(), 1);
        EXPECT_EQ(notices(), QStringList{QStringLiteral("认证成功！")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return main().profileWindow() == nullptr; }, 5000));
    }

    // The balance as the client's own profile load reads it.
    static std::string loadedBalance()
    {
        loadUserProfile();
        return UserProfile::instance().balanceText();
    }

    // Redeems the card through the page's boxes and button, and gives the outcome captions
    // the button showed (the busy caption left out).
    QStringList redeem(const QString &number, const QString &password)
    {
        CardTopUpPage *page = main().cardPage();
        // The click into the box brings the window to the front, as on a desktop.
        main().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main()));
        type(page->cardNumberEdit(), number);
        QTest::keyClick(page->cardNumberEdit(), Qt::Key_Tab);
        QTest::keyClicks(page->cardPasswordEdit(), password);

        auto captions = std::make_shared<QStringList>();
        auto mutex = std::make_shared<std::mutex>();
        QPointer<QObject> guard(page);
        QPushButton *button = page->redeemButton();
        pacing->setHook([=](std::chrono::milliseconds) {
            const QString text = readFromGui<QString>(guard, [button] {
                                     return button->text();
                                 }).value_or(QString());
            std::lock_guard lock(*mutex);
            if (text.startsWith(QStringLiteral("    ")) &&
                text != QStringLiteral("    正在充值中") && !captions->contains(text))
                captions->append(text);
        });
        QSignalSpy finished(page, &CardTopUpPage::redemptionFinished);
        click(button);
        const bool done = finished.wait(5000);
        pacing->setHook({});
        EXPECT_TRUE(done);
        EXPECT_EQ(button->text(), QStringLiteral("使用"));
        std::lock_guard lock(*mutex);
        return *captions;
    }

    LiveService service;
    QTemporaryDir dir;
    std::shared_ptr<WatchedPacing> pacing = std::make_shared<WatchedPacing>();
    UrlRecorder browser;
    std::unique_ptr<ClientApp> client;
};

TEST_F(FinanceDemoPathTest, RealNameVerificationOpensTheHostGate)
{
    clickNavigation(MainWindow::HostsEntry);
    EXPECT_EQ(notices(), QStringList{QStringLiteral("您还未实名认证，请先进行实名")});
    ProfileWindow *profile = main().profileWindow();
    ASSERT_NE(profile, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return profile->isVisible(); }, 5000));
    EXPECT_EQ(profile->greetingLabel()->text(),
              QStringLiteral("您还未实名认证，根据相关法律法规，使用前请先实名认证！"));
    EXPECT_EQ(profile->balanceLabel()->text(), QStringLiteral("当前余额:12.50元"));
    ASSERT_TRUE(profile->realNameLink()->isVisible());

    auto *window = followLink<RealNameWindow>(profile, profile->realNameLink());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->accountValue()->text(), QString::fromUtf8(kAccount));
    EXPECT_EQ(window->mobileValue()->text(), QString::fromUtf8(kAccount));
    QSignalSpy closed(window, &RealNameWindow::closed);

    // A wrong check character: the service refuses, the window stays for another try.
    submitRealName(window, QStringLiteral("李四"), QStringLiteral("110101199003074470"));
    EXPECT_EQ(notices(),
              QStringList{QStringLiteral(
                  "认证信息不匹配，请确保手机号码与本人身份信息一致，如有问题请联系客服！")});
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(UserProfile::instance().isUnverified());

    submitRealName(window, QStringLiteral("李四"), QStringLiteral("110101199003074477"));
    EXPECT_EQ(notices(), QStringList{QStringLiteral("认证成功！")});
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(UserProfile::instance().realNameText(), "李四");
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().profileWindow() == nullptr; }, 5000));

    // The service keeps the verification: the client's own profile load reads the name.
    EXPECT_EQ(loadUserProfile(), std::optional<std::string>("李四"));
    for (MainWindow::Entry entry : {MainWindow::HostsEntry, MainWindow::CardEntry}) {
        clickNavigation(entry);
        EXPECT_EQ(main().tabBox()->currentIndex(), int(entry));
    }
    EXPECT_TRUE(notices().isEmpty());
    clickNavigation(MainWindow::HostsEntry);
    // The account's one seeded host.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QTableWidgetItem *address = main().hostTable()->item(0, 2);
            return address && address->text() == QStringLiteral("203.0.113.50:3389");
        },
        5000));

    profile = openProfile();
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->greetingLabel()->text(),
              QStringLiteral("尊敬的李四,欢迎您使用云服务器产品！"));
    EXPECT_FALSE(profile->realNameLink()->isVisible());
    EXPECT_EQ(profile->findChild<QLabel *>(QStringLiteral("真实姓名"))->text(),
              QStringLiteral("李四"));
    profile->close();
}

TEST_F(FinanceDemoPathTest, PaymentPageCreditsTheAmountOnce)
{
    ProfileWindow *profile = openProfile();
    ASSERT_NE(profile, nullptr);
    auto *window = followLink<RechargeWindow>(profile, profile->rechargeLink());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->accountEdit()->text(), QString::fromUtf8(kAccount));
    QSignalSpy closed(window, &RechargeWindow::closed);
    type(window->amountEdit(), QStringLiteral("30"));
    click(window->rechargeButton());
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.count() == 1; }, 5000));
    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());

    // The service's own web page, at the address the client talks to.
    ASSERT_EQ(browser.opened.size(), 1);
    const QUrl address = browser.opened[0];
    EXPECT_EQ(address.scheme(), QStringLiteral("http"));
    EXPECT_EQ(address.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(address.port(), service.running().port());
    EXPECT_EQ(address.path(), QStringLiteral("/pay/order"));
    EXPECT_EQ(loadedBalance(), "12.50元") << "nothing is credited before the payment";

    const PaymentPage page = PaymentPage::load(address);
    ASSERT_EQ(page.status, 200) << page.html;
    EXPECT_NE(page.html.find("支付金额：￥30"), std::string::npos) << page.html;
    EXPECT_NE(page.html.find("139****0000"), std::string::npos) << page.html;
    ASSERT_FALSE(page.formAction.empty()) << page.html;
    ASSERT_FALSE(page.orderNumber.empty()) << page.html;

    EXPECT_NE(page.confirm(address).find("支付成功"), std::string::npos);
    // The profile the user opens next shows the new balance.
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().profileWindow() == nullptr; }, 5000));
    profile = openProfile();
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->balanceLabel()->text(), QStringLiteral("当前余额:42.50元"));
    profile->close();
    // Pressed again (or the page sent twice): nothing more is credited.
    EXPECT_NE(page.confirm(address).find("该订单已支付"), std::string::npos);
    EXPECT_EQ(loadedBalance(), "42.50元");
    EXPECT_EQ(PaymentPage::load(address).formAction, "") << "a paid order offers no button";

    // The finance page lists the payment once, newest first, above the seeded top-up.
    QSignalSpy shown(main().financePage(), &FinancePage::pageShown);
    clickNavigation(MainWindow::FinanceEntry);
    ASSERT_TRUE(shown.wait(5000));
    const QTableWidget *list = main().financePage()->recordList();
    ASSERT_EQ(list->rowCount(), 2);
    const QStringList newest = {list->item(0, 1)->text(), list->item(0, 2)->text(),
                                list->item(0, 3)->text(), list->item(0, 4)->text()};
    EXPECT_EQ(newest, QStringList({QStringLiteral("￥30"), QStringLiteral("￥0"),
                                   QStringLiteral("成功"), QStringLiteral("在线充值")}));
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("￥12.50"));
    EXPECT_EQ(main().financePage()->incomeTotal()->text(), QStringLiteral("￥42元"));
    EXPECT_EQ(main().financePage()->expenseTotal()->text(), QStringLiteral("￥0元"));
}

TEST_F(FinanceDemoPathTest, PrepaidCardCreditsItsValueOnce)
{
    verify(QStringLiteral("王五"), QStringLiteral("11010519491231002X"));
    clickNavigation(MainWindow::CardEntry);
    ASSERT_EQ(main().tabBox()->currentIndex(), int(MainWindow::CardEntry));
    EXPECT_TRUE(notices().isEmpty());

    EXPECT_EQ(redeem(QStringLiteral("CZK2024000102"), QStringLiteral("J6T4R1VB8NZP")),
              QStringList{QStringLiteral("    充值成功")});
    EXPECT_EQ(loadedBalance(), "112.50元");
    // The same card a second time is no card any more.
    EXPECT_EQ(redeem(QStringLiteral("CZK2024000102"), QStringLiteral("J6T4R1VB8NZP")),
              QStringList{QStringLiteral("    卡号密码错误")});
    EXPECT_EQ(loadedBalance(), "112.50元");
    EXPECT_TRUE(notices().isEmpty());
}

} // namespace
} // namespace cloud::test
