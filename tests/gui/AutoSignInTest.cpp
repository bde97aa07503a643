#include "FakeAccountService.h"
#include "GuiTestEnvironment.h"

#include "account/AutoSignIn.h"
#include "account/RememberedAccount.h"
#include "account/SignInDisplay.h"
#include "app/Pacing.h"
#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/Workers.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>

namespace cloud::test {
namespace {

using namespace std::chrono_literals;

// Waits no time; calls `duringFirstPause` in the automatic sign-in's one-second pause.
class ScriptedPacing : public InstantPacing
{
public:
    std::function<void()> duringFirstPause;
    void pause(std::chrono::milliseconds ms) override
    {
        if (ms == 1000ms && duringFirstPause)
            std::exchange(duringFirstPause, nullptr)();
        InstantPacing::pause(ms);
    }
};

class AutoSignInTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        pacing = std::make_shared<ScriptedPacing>();
        Pacing::install(pacing);
        AppSession::instance().clear();
        service.pointSessionHere();
        window = std::make_unique<LoginWindow>();
        display = std::make_unique<SignInDisplay>(window.get());
        autoSignIn = std::make_unique<AutoSignIn>(display.get());
        QObject::connect(display.get(), &SignInDisplay::captionChanged,
                         [this](const QString &caption) { captions << caption; });
        window->show();
    }

    void TearDown() override
    {
        Workers::resetForTests();
        Pacing::install(nullptr);
        AppSession::instance().clear();
    }

    // The form as start-up leaves it with these settings.
    void restore(const std::string &configLines)
    {
        const std::string path = dir.filePath(QStringLiteral("云.ini")).toStdString();
        std::ofstream(path, std::ios::binary) << "[Config]\r\n" << configLines;
        RememberedAccount(window.get(), [path] { return path; }).restoreRememberedAccount();
    }

    // Runs the worker to its end, with the GUI thread serving its reads and writes,
    // until its last writes have been applied.
    bool runToEnd()
    {
        autoSignIn->start();
        return QTest::qWaitFor([] { return Workers::running() == 0; }, 10000) &&
               QTest::qWaitFor([&] { return !display->claimed(); }, 5000);
    }

    FakeAccountService service;
    QTemporaryDir dir;
    std::shared_ptr<ScriptedPacing> pacing;
    std::unique_ptr<LoginWindow> window;
    std::unique_ptr<SignInDisplay> display;
    std::unique_ptr<AutoSignIn> autoSignIn;
    QStringList captions;
};

TEST_F(AutoSignInTest, SignsInByKeyWithTheRestoredAccount)
{
    restore("Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n");
    ASSERT_TRUE(runToEnd());

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/user/logout.asp");
    EXPECT_EQ(requests[1].path, "/user/khdloginpd");
    EXPECT_EQ(requests[1].body, "username=a1&password=p1&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8");
    EXPECT_EQ(captions, (QStringList{QStringLiteral("    正在登录中"),
                                     QStringLiteral("    登录成功"), QStringLiteral("登录")}));
    // One second before it starts, then the success pause and the caption's second.
    EXPECT_EQ(pacing->total(), 1000ms + 300ms + 1000ms);
    EXPECT_TRUE(AppSession::instance().signedInFlag());
    EXPECT_EQ(AppSession::instance().accountName(), "a1");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->signInButton()->isEnabled());
}

TEST_F(AutoSignInTest, ExpiredKeyHasItsOwnCaption)
{
    service.setKeySignInReply("1001");
    restore("Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n");
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("    正在登录中"),
                           QStringLiteral("           自动登录失效"), QStringLiteral("登录")}));
    EXPECT_TRUE(window->signInButton()->isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(AppSession::instance().signedInFlag());
    // The restored texts stay for a manual try.
    EXPECT_EQ(window->accountEdit()->text(), QStringLiteral("a1"));
}

TEST_F(AutoSignInTest, UntickedBoxPostsNothing)
{
    restore("Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=0\r\n");
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(service.requests().empty());
    EXPECT_TRUE(captions.isEmpty());
    EXPECT_EQ(pacing->total(), 0ms);
}

TEST_F(AutoSignInTest, GivesWayToAManualSignInStartedInItsFirstSecond)
{
    restore("Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n");
    // A manual sign-in takes the page while the automatic one waits its second: one
    // still running when the second is over, and one already over by then.
    for (const bool stillRunning : {true, false}) {
        SCOPED_TRACE(stillRunning ? "still running" : "already over");
        pacing->duringFirstPause = [this, stillRunning] {
            ASSERT_TRUE(display->claim());
            if (!stillRunning)
                display->release();
        };
        autoSignIn->start();
        ASSERT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 10000));
        QTest::qWait(50);
        EXPECT_TRUE(service.requests().empty());
        EXPECT_TRUE(captions.isEmpty());
        EXPECT_TRUE(window->signInButton()->isEnabled())
            << "the page is left to the manual sign-in";
        display->release();
    }
}

} // namespace
} // namespace cloud::test
