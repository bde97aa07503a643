#include "GuiTestEnvironment.h"
#include "TestPacing.h"

#include "account/RegistrationFlow.h"
#include "account/SmsCodeFlow.h"
#include "account/SmsCountdown.h"
#include "app/AppSession.h"
#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"

#include <httplib.h>

#include <QPushButton>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace cloud::test {
namespace {

using std::chrono::milliseconds;

// The registration endpoints, answering what the test sets per act ("reg", "yzm") and
// recording the bodies they receive. Replies can be held back until the test lets them go.
class RegistrationService
{
public:
    RegistrationService()
    {
        m_server.Post("/user/data/Register",
                      [this](const httplib::Request &req, httplib::Response &res) {
                          res.set_content(answer(req), "text/plain");
                      });
        const int port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
        AppSession &session = AppSession::instance();
        session.setApiHost("127.0.0.1:" + std::to_string(port));
        session.setBaseUrl("http://" + session.apiHost());
    }
    ~RegistrationService()
    {
        releaseReplies();
        m_server.stop();
        m_thread.join();
    }

    void setReply(const std::string &act, std::string reply)
    {
        std::lock_guard lock(m_mutex);
        m_replies[act] = std::move(reply);
    }
    void holdReplies()
    {
        std::lock_guard lock(m_mutex);
        m_holding = true;
    }
    void releaseReplies()
    {
        std::lock_guard lock(m_mutex);
        m_holding = false;
        m_released.notify_all();
    }
    // "act body" per request, oldest first.
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    std::string answer(const httplib::Request &req)
    {
        std::unique_lock lock(m_mutex);
        const std::string act = req.get_param_value("act");
        m_requests.push_back(act + " " + req.body);
        m_released.wait(lock, [this] { return !m_holding; });
        return m_replies[act];
    }

    httplib::Server m_server;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_holding = false;
    std::map<std::string, std::string> m_replies;
    std::vector<std::string> m_requests;
};

class RegistrationPageTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        MessageBox::takeRecords();
        window = std::make_unique<LoginWindow>();
        window->show();
        window->navigate(LoginWindow::RegisterPageIndex);
        registration.attach(window.get());
        sms.attach(window.get());
    }

    void fill(const QString &mobile, const QString &password, const QString &confirmation,
              const QString &code)
    {
        window->registerMobileEdit()->setValue(mobile);
        window->registerPasswordEdit()->setValue(password);
        window->registerConfirmEdit()->setValue(confirmation);
        window->smsCodeEdit()->setValue(code);
    }

    QPushButton *registerButton() const { return window->registerButton(); }
    QPushButton *sendButton() const { return window->sendSmsButton(); }

    PacingScope pacing;
    RegistrationService service;
    std::unique_ptr<LoginWindow> window;
    RegistrationFlow registration;
    SmsCodeFlow sms;
};

TEST(RegistrationFlow, LocalChecksInTheirOrder)
{
    struct Case
    {
        RegistrationFlow::Entries entries;
        const char *message;
    };
    const QString mobile = QStringLiteral("13800000000");
    const QString hintCode = QStringLiteral("短信验证码");
    const Case cases[] = {
        {{QStringLiteral("手机号码"), QStringLiteral("密码"), QStringLiteral("确认密码"), hintCode},
         "手机号不能为空"},
        {{QString(), QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("1")},
         "手机号不能为空"},
        {{mobile, QStringLiteral("密码"), QStringLiteral("p"), QStringLiteral("1")},
         "密码不能为空"},
        {{mobile, QStringLiteral("p"), QStringLiteral("确认密码"), QStringLiteral("1")},
         "确认密码不能为空"},
        {{mobile, QStringLiteral("abc"), QStringLiteral("abd"), hintCode}, "两次密码不一致"},
        {{mobile, QStringLiteral("abc"), QStringLiteral("ABC"), QStringLiteral("1")},
         "两次密码不一致"},
        {{mobile, QStringLiteral("abc"), QStringLiteral("abc"), hintCode}, "请正确填写验证码"},
        {{mobile, QStringLiteral("abc"), QStringLiteral("abc"), QString()}, "请正确填写验证码"},
        {{QStringLiteral("x"), QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("1")},
         ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RegistrationFlow::checkEntries(c.entries), QString::fromUtf8(c.message))
            << c.message;
}

TEST(RegistrationFlow, RepliesToCaptions)
{
    struct Case
    {
        std::string reply;
        bool success;
        bool shortPause;
        const char *caption;
    };
    const Case cases[] = {
        {"1000", true, true, "注册成功"},
        {"1004", false, false, "    手机格式不正确"},
        {"1005", false, false, "    密码格式不正确"},
        {"1002", false, false, "    验证码不正确"},
        {"1006", false, false, "    验证码不正确"},
        {"1008", false, false, "    密码不能连号"},
        {"1003", false, false, "    用户已存在"},
        {"1001", false, false, "    手机不匹配"},
        {"ok", false, false, "    注册失败"},
        {"1000\r\n", false, false, "    注册失败"},
        {"500", false, false, "    注册失败"},
        {"", false, true, "    网络超时"},
    };
    for (const Case &c : cases) {
        const RegistrationFlow::Outcome outcome = RegistrationFlow::outcomeOf(c.reply);
        EXPECT_EQ(outcome.success, c.success) << c.reply;
        EXPECT_EQ(outcome.shortPause, c.shortPause) << c.reply;
        EXPECT_EQ(outcome.caption, QString::fromUtf8(c.caption)) << c.reply;
    }
}

TEST_F(RegistrationPageTest, FailedCheckShowsItsMessageAndSendsNothing)
{
    emit window->registerRequested();
    const QList<MessageBox::Record> boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].kind, MessageBox::Kind::Skinned);
    EXPECT_EQ(boxes[0].title, QStringLiteral("错误"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("手机号不能为空"));
    EXPECT_FALSE(registration.isRunning());
    EXPECT_EQ(Workers::running(), 0);
    EXPECT_TRUE(service.requests().empty());
    EXPECT_EQ(registerButton()->text(), QStringLiteral("注册账号"));
}

TEST_F(RegistrationPageTest, SuccessKeepsItsCaptionAndDisablesTheButton)
{
    fill(QStringLiteral("13800000000"), QStringLiteral("p&1"), QStringLiteral("p&1"),
         QStringLiteral("1234"));
    service.setReply("reg", "1000");
    service.holdReplies();
    pacing->setGated(true);
    emit window->registerRequested();
    QTRY_COMPARE(registerButton()->text(), QStringLiteral("    正在注册中"));
    EXPECT_TRUE(window->registerBusy()->isVisible());
    EXPECT_TRUE(registerButton()->isEnabled());
    emit window->registerRequested(); // ignored: one run drives the button at a time
    service.releaseReplies();

    ASSERT_TRUE(pacing->holdsAWorker());
    EXPECT_EQ(registerButton()->text(), QStringLiteral("注册成功"));
    pacing->release();
    QTRY_VERIFY(!registration.isRunning());
    EXPECT_EQ(registerButton()->text(), QStringLiteral("注册成功"));
    EXPECT_FALSE(registerButton()->isEnabled());
    EXPECT_FALSE(window->registerBusy()->isVisible());
    EXPECT_EQ(service.requests(),
              std::vector<std::string>{"reg mobi=13800000000&password=p&1&captcha=1234"});
    EXPECT_EQ(pacing->stepPauses(),
              (std::vector<milliseconds>{milliseconds(300), milliseconds(1000)}));
}

TEST_F(RegistrationPageTest, FailureShowsItsCaptionThenReadsRegister)
{
    struct Case
    {
        std::string reply;
        const char *caption;
        milliseconds pauseBefore;
    };
    const Case cases[] = {
        {"1006", "    验证码不正确", milliseconds(500)},
        {"", "    网络超时", milliseconds(300)},
    };
    fill(QStringLiteral("138"), QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("1"));
    pacing->setGated(true);
    for (const Case &c : cases) {
        const std::size_t before = pacing->stepPauses().size();
        service.setReply("reg", c.reply);
        emit window->registerRequested();
        ASSERT_TRUE(pacing->holdsAWorker()) << c.caption;
        EXPECT_EQ(registerButton()->text(), QString::fromUtf8(c.caption));
        pacing->release();
        QTRY_VERIFY(!registration.isRunning());
        EXPECT_EQ(registerButton()->text(), QStringLiteral("注册"));
        EXPECT_TRUE(registerButton()->isEnabled());
        EXPECT_FALSE(window->registerBusy()->isVisible());
        const auto steps = pacing->stepPauses();
        ASSERT_EQ(steps.size(), before + 2);
        EXPECT_EQ(steps[before], c.pauseBefore) << c.caption;
        EXPECT_EQ(steps[before + 1], milliseconds(2000));
    }
}

TEST(SmsCodeFlow, RefusalsAndTheirMessages)
{
    struct Case
    {
        std::string reply;
        const char *message; // empty: no message
        milliseconds afterwards;
    };
    const Case cases[] = {
        {"1003", "号码已注册", milliseconds(0)},
        {"1002", "过于频繁", milliseconds(1000)},
        {"1007", "验证码错误", milliseconds(1000)},
        {"1001", "手机格式不正确", milliseconds(1000)},
        {"1000", "", milliseconds(0)},
        {"", "", milliseconds(0)},
        {"1004", "", milliseconds(0)},
    };
    for (const Case &c : cases) {
        const auto refusal = SmsCodeFlow::refusalOf(c.reply);
        ASSERT_EQ(refusal.has_value(), *c.message != '\0') << c.reply;
        if (refusal) {
            EXPECT_EQ(refusal->message, QString::fromUtf8(c.message));
            EXPECT_EQ(refusal->afterwards, c.afterwards);
        }
    }
}

TEST_F(RegistrationPageTest, UntouchedNumberIsSentAsItsHintAndARefusalIsShown)
{
    service.setReply("yzm", "1003");
    emit window->smsCodeRequested();
    QTRY_VERIFY(!sms.isRunning());
    // 手机号码 in GBK.
    EXPECT_EQ(service.requests(),
              std::vector<std::string>{"yzm mobi=\xCA\xD6\xBB\xFA\xBA\xC5\xC2\xEB"});
    const QList<MessageBox::Record> boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, QStringLiteral("发送失败"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("号码已注册"));
    EXPECT_EQ(sendButton()->text(), QStringLiteral("发送验证码"));
    EXPECT_TRUE(sendButton()->isEnabled());
    EXPECT_EQ(pacing->stepPauses(), std::vector<milliseconds>{milliseconds(500)});
}

TEST_F(RegistrationPageTest, SentCodeStartsTheSixtySecondCountdown)
{
    window->registerMobileEdit()->setValue(QStringLiteral("13800000000"));
    registerButton()->setEnabled(false);   // as after a successful registration
    service.setReply("yzm", "\\u0031000"); // the service escapes this code
    pacing->setGated(true);
    emit window->smsCodeRequested();
    ASSERT_TRUE(pacing->holdsAWorker());
    EXPECT_EQ(sendButton()->text(), QStringLiteral("发送成功"));
    for (int left = 59; left >= 0; --left) {
        pacing->release();
        QTRY_COMPARE(sendButton()->text(), SmsCountdown::captionFor(left));
        ASSERT_TRUE(pacing->holdsAWorker());
        EXPECT_FALSE(sendButton()->isEnabled()) << left;
    }
    EXPECT_EQ(SmsCountdown::captionFor(59), QStringLiteral("59s"));
    emit window->smsCodeRequested(); // ignored while counting down
    pacing->release();
    QTRY_VERIFY(!sms.isRunning());
    EXPECT_EQ(sendButton()->text(), QStringLiteral("发送验证码"));
    EXPECT_TRUE(sendButton()->isEnabled());
    EXPECT_TRUE(registerButton()->isEnabled());
    EXPECT_EQ(service.requests().size(), 1u);
    const auto steps = pacing->stepPauses();
    ASSERT_EQ(steps.size(), 62u) << "the short pause, one second, then sixty seconds";
    EXPECT_EQ(steps.front(), milliseconds(300));
}

} // namespace
} // namespace cloud::test
