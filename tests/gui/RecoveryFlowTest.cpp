#include "GuiTestEnvironment.h"
#include "TestPacing.h"

#include "account/ButtonDriver.h"
#include "account/RecoveryFlow.h"
#include "account/RecoveryRequest.h"
#include "app/AppSession.h"
#include "core/LoopbackServer.h"
#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"

#include <QPushButton>

#include <atomic>
#include <mutex>

namespace cloud::test {
namespace {

using std::chrono::milliseconds;

class RecoveryPageTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        AppSession &session = AppSession::instance();
        session.setApiHost("127.0.0.1:" + std::to_string(server.port()));
        session.setBaseUrl("http://" + session.apiHost());
        window = std::make_unique<LoginWindow>();
        window->show();
        window->showRecoveryForm();
        flow.attach(window.get());
    }

    void setReply(std::optional<std::string> body)
    {
        std::lock_guard lock(mutex);
        reply = std::move(body);
    }

    LoopbackServer::Reply answer()
    {
        std::lock_guard lock(mutex);
        // No reply at all: the connection closes without a word.
        return {reply ? LoopbackServer::reply("200 OK", "", *reply) : std::string()};
    }

    std::string host() const { return "127.0.0.1:" + std::to_string(server.port()); }
    QPushButton *button() const { return window->recoveryButton(); }

    PacingScope pacing;
    std::mutex mutex;
    std::optional<std::string> reply = "1000";
    LoopbackServer server{[this](const std::string &) { return answer(); }};
    std::unique_ptr<LoginWindow> window;
    RecoveryFlow flow;
};

TEST_F(RecoveryPageTest, HeaderBlockHasItsTenLinesInOrder)
{
    EXPECT_EQ(recoveryHeaderBlock(19),
              "Content-Type: application/x-www-form-urlencoded; charset=UTF-8\r\n"
              "Accept: */*\r\n"
              "X-Requested-With: XMLHttpRequest\r\n"
              "Referer: http://" +
                  host() +
                  "/page/Getpasswd/\r\n"
                  "Accept-Language: zh-Hans-CN,zh-Hans;q=0.5\r\n"
                  "User-Agent: Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like "
                  "Gecko\r\n"
                  "Host: " +
                  host() +
                  "\r\n"
                  "Content-Length: 19\r\n"
                  "Connection: Keep-Alive\r\n"
                  "Cache-Control: no-cache");
}

TEST_F(RecoveryPageTest, RequestGoesOutAsTheFormTyped)
{
    struct Case
    {
        std::optional<QString> account; // nothing: the box stays untouched
        std::optional<QString> mobile;
        std::string body;
    };
    const Case cases[] = {
        // Untouched boxes send their hints, in GBK, and the length counts GBK bytes.
        {std::nullopt, std::nullopt,
         "username=\xD3\xC3\xBB\xA7\xC3\xFB/"
         "\xD5\xCB\xBA\xC5&mobi=\xCA\xD6\xBB\xFA\xBA\xC5\xC2\xEB"},
        {QStringLiteral("u1"), QStringLiteral("m1"), "username=u1&mobi=m1"},
    };
    for (const Case &c : cases) {
        if (c.account)
            window->recoveryAccountEdit()->setValue(*c.account);
        if (c.mobile)
            window->recoveryMobileEdit()->setValue(*c.mobile);
        emit window->passwordRecoveryRequested();
        QTRY_VERIFY(!flow.isRunning());
        // The connection puts its Host line first; the other lines follow in their order,
        // then the one default line the set lacks.
        const std::string expected =
            "POST /page/GetPasswd/GetPasswd HTTP/1.1\r\n"
            "Host: " +
            host() +
            "\r\n"
            "Content-Type: application/x-www-form-urlencoded; charset=UTF-8\r\n"
            "Accept: */*\r\n"
            "X-Requested-With: XMLHttpRequest\r\n"
            "Referer: http://" +
            host() +
            "/page/Getpasswd/\r\n"
            "Accept-Language: zh-Hans-CN,zh-Hans;q=0.5\r\n"
            "User-Agent: Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko\r\n"
            "Content-Length: " +
            std::to_string(c.body.size()) +
            "\r\n"
            "Connection: Keep-Alive\r\n"
            "Cache-Control: no-cache\r\n"
            "Accept-Encoding: identity\r\n"
            "\r\n" +
            c.body;
        EXPECT_EQ(server.lastRequest(), expected);
    }
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_NE(server.lastRequest().find("\r\nContent-Length: 19\r\n"), std::string::npos);
}

TEST_F(RecoveryPageTest, RepliesToCaptionsThenIdleAgain)
{
    struct Case
    {
        std::optional<std::string> reply;
        const char *caption;
        milliseconds pauseBefore;
    };
    const Case cases[] = {
        {"1000", "    找回成功", milliseconds(300)},
        {"1015", "    信息不匹配", milliseconds(500)},
        {"1016", "    失败", milliseconds(500)},
        {"1000\r\n", "    失败", milliseconds(500)},
        {std::nullopt, "    失败", milliseconds(500)},
    };
    pacing->setGated(true);
    for (const Case &c : cases) {
        const std::size_t before = pacing->stepPauses().size();
        setReply(c.reply);
        emit window->passwordRecoveryRequested();
        ASSERT_TRUE(pacing->holdsAWorker()) << c.caption;
        EXPECT_EQ(button()->text(), QString::fromUtf8(c.caption));
        EXPECT_FALSE(button()->isEnabled());
        EXPECT_TRUE(window->recoveryBusy()->isVisible());
        pacing->release();
        QTRY_VERIFY(!flow.isRunning());
        EXPECT_EQ(button()->text(), QStringLiteral("找回密码"));
        EXPECT_TRUE(button()->isEnabled());
        EXPECT_FALSE(window->recoveryBusy()->isVisible());
        const auto steps = pacing->stepPauses();
        ASSERT_EQ(steps.size(), before + 2);
        EXPECT_EQ(steps[before], c.pauseBefore) << c.caption;
        EXPECT_EQ(steps[before + 1], milliseconds(1000));
    }
}

TEST_F(RecoveryPageTest, SecondRequestWhileRunningIsIgnored)
{
    pacing->setGated(true);
    emit window->passwordRecoveryRequested();
    emit window->passwordRecoveryRequested();
    ASSERT_TRUE(pacing->holdsAWorker());
    emit window->passwordRecoveryRequested();
    pacing->release();
    QTRY_VERIFY(!flow.isRunning());
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(RecoveryPageTest, AnimationWaitEndsWhenAnotherPageTakesTheSharedPhase)
{
    window->recoveryBusy()->showFailure();
    // The sign-in page starts its busy loop: the recovery strip now loops too, never
    // reaching the failure animation's end.
    window->signInBusy()->startBusy();
    const ButtonDriver driver(window.get(), button(), window->recoveryBusy());
    std::atomic<bool> done{false};
    Workers::start([&] {
        driver.waitFailureEnd();
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
    EXPECT_FALSE(window->recoveryBusy()->failureEnded());
}

} // namespace
} // namespace cloud::test
