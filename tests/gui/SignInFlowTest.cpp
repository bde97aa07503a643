#include "FakeAccountService.h"
#include "GuiTestEnvironment.h"

#include "account/RememberedAccount.h"
#include "account/SignInDisplay.h"
#include "account/SignInFlow.h"
#include "app/IniFile.h"
#include "app/Pacing.h"
#include "data/Gbk.h"
#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/SerialWorker.h"
#include "ui/Workers.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace cloud::test {
namespace {

using namespace std::chrono_literals;

class SignInFlowTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        pacing = std::make_shared<InstantPacing>();
        Pacing::install(pacing);
        AppSession::instance().clear();
        service.pointSessionHere();
        AppSession::instance().setAccountIniPath(
            settingsDir.filePath(QStringLiteral("云.ini")).toStdString());
        window = std::make_unique<LoginWindow>();
        display = std::make_unique<SignInDisplay>(window.get());
        remembered = std::make_unique<RememberedAccount>(
            window.get(), [] { return AppSession::instance().accountIniPath(); });
        flow = std::make_unique<SignInFlow>(display.get(), remembered.get());
        QObject::connect(window.get(), &LoginWindow::signInRequested, [this] { flow->signIn(); });
        QObject::connect(display.get(), &SignInDisplay::captionChanged,
                         [this](const QString &caption) { captions << caption; });
        window->show();
    }

    void TearDown() override
    {
        waitUntilReleased();
        Workers::resetForTests();
        Pacing::install(nullptr);
        AppSession::instance().clear();
    }

    bool waitUntilReleased()
    {
        return QTest::qWaitFor([&] { return !display->claimed(); }, 10000);
    }

    // One manual sign-in from a click, run to its end.
    void signInWith(const std::string &reply)
    {
        service.setSignInReply(reply);
        captions.clear();
        QTest::mouseClick(window->signInButton(), Qt::LeftButton);
        ASSERT_TRUE(display->claimed()) << "the click started a sign-in";
        ASSERT_TRUE(waitUntilReleased());
    }

    void fillForm(const QString &account, const QString &password, const QString &captcha)
    {
        window->accountEdit()->setValue(account);
        window->passwordEdit()->setValue(password);
        window->captchaEdit()->setValue(captcha);
    }

    FakeAccountService service;
    QTemporaryDir settingsDir;
    std::shared_ptr<InstantPacing> pacing;
    std::unique_ptr<LoginWindow> window;
    std::unique_ptr<SignInDisplay> display;
    std::unique_ptr<RememberedAccount> remembered;
    std::unique_ptr<SignInFlow> flow;
    QStringList captions;
};

struct ReplyCase
{
    const char *reply;
    const char *outcomeCaption; // nullptr: no outcome caption
    bool signedIn;
    std::chrono::milliseconds
        paused; // the random pause (its low end here) and the caption's second
};

TEST_F(SignInFlowTest, EveryReplyShowsItsCaptionThenReturnsToIdle)
{
    const ReplyCase cases[] = {
        {"1000", "    登录成功", true, 300ms + 1000ms},
        {"1001", "           用户或密码不正确", false, 500ms + 1000ms},
        {"1002", "    验证码错误", false, 1500ms},
        {"1003", "    登录次数过多", false, 1500ms},
        {"500", "    平台维护中", false, 1500ms},
        {"", "    网络链接失败", false, 1500ms},
        {"1000\n", nullptr, false, 0ms},
        {"1004", nullptr, false, 0ms},
    };
    fillForm(QStringLiteral("a1"), QStringLiteral("p1"), QStringLiteral("abcd"));
    for (const ReplyCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "reply '" << c.reply << "'");
        window->show();
        window->signInButton()->setEnabled(true);
        AppSession::instance().setSignedInFlag(false);
        AppSession::instance().setAccountName({});
        AppSession::instance().setAccountPassword({});
        pacing = std::make_shared<InstantPacing>();
        Pacing::install(pacing);

        signInWith(c.reply);

        QStringList expected{QStringLiteral("    正在登录中")};
        if (c.outcomeCaption)
            expected << QString::fromUtf8(c.outcomeCaption);
        expected << QStringLiteral("登录");
        EXPECT_EQ(captions, expected);
        EXPECT_EQ(window->signInButton()->text(), QStringLiteral("登录"));
        EXPECT_FALSE(window->signInBusy()->isVisible());
        EXPECT_EQ(pacing->total(), c.paused);
        EXPECT_EQ(AppSession::instance().signedInFlag(), c.signedIn);
        // After a success the button stays disabled until a sign-out.
        EXPECT_EQ(window->signInButton()->isEnabled(), !c.signedIn);
        EXPECT_EQ(window->isVisible(), !c.signedIn);
        EXPECT_EQ(AppSession::instance().accountName(), c.signedIn ? "a1" : "");
        EXPECT_EQ(AppSession::instance().accountPassword(), c.signedIn ? "p1" : "");
    }
}

TEST_F(SignInFlowTest, SignsOutFirstThenPostsTheFormAsTyped)
{
    // The account and captcha boxes are untouched: their hints are sent as values.
    window->passwordEdit()->setValue(QStringLiteral("p&w"));
    signInWith("1001");

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/user/logout.asp");
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].path, "/user/loginpost");
    EXPECT_EQ(requests[1].body, "username=" + utf8ToGbk("用户名/账号") +
                                    "&password=p&w&captcha=" + utf8ToGbk("图片验证码") +
                                    "&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8");
}

TEST_F(SignInFlowTest, SavesTheRememberedAccountBeforeSigningIn)
{
    fillForm(QStringLiteral("a1"), QStringLiteral("p1"), QStringLiteral("abcd"));
    window->rememberPasswordBox()->setChecked(true);
    signInWith("1001");
    ASSERT_TRUE(QTest::qWaitFor([] { return SerialWorker::idle(); }, 5000));
    const std::string ini = AppSession::instance().accountIniPath();
    EXPECT_EQ(readIni(ini, "Config", "Rememberaccount"), "1");
    EXPECT_EQ(readIni(ini, "Config", "zh"), "a1");
    EXPECT_EQ(readIni(ini, "Config", "mm"), "p1");
}

TEST_F(SignInFlowTest, OneSignInDrivesThePageAtATime)
{
    service.setSignInDelay(300ms);
    ASSERT_TRUE(flow->signIn());
    EXPECT_FALSE(window->signInButton()->isEnabled());
    EXPECT_FALSE(flow->signIn()) << "a second sign-in while the first runs";
    ASSERT_TRUE(waitUntilReleased());
    EXPECT_EQ(service.requestsTo("/user/loginpost").size(), 1u);

    // Another flow holding the page (the automatic sign-in) refuses the manual one too.
    ASSERT_TRUE(display->claim());
    EXPECT_FALSE(flow->signIn());
    display->release();
    EXPECT_TRUE(flow->signIn());
}

// The requests and pauses run on a worker: the GUI thread keeps its timers going
// while the service takes a second to answer.
TEST_F(SignInFlowTest, GuiThreadKeepsRunningWhileTheServiceIsSlow)
{
    service.setSignInDelay(1000ms);
    fillForm(QStringLiteral("a1"), QStringLiteral("p1"), QStringLiteral("abcd"));
    // The window's first paint is not part of the sign-in.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(200);
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 largestGap = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        largestGap = std::max(largestGap, now - last);
        last = now;
    });
    clock.start();
    probe.start();
    ASSERT_TRUE(flow->signIn());
    ASSERT_TRUE(waitUntilReleased());
    probe.stop();
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_LT(largestGap, 50);
    EXPECT_TRUE(AppSession::instance().signedInFlag());
}

} // namespace
} // namespace cloud::test
