#include "hosts/HostOperations.h"

#include "HostServiceFake.h"
#include "HostTestContext.h"
#include "hosts/ChangePasswordWindow.h"
#include "hosts/ReinstallWindow.h"
#include "hosts/RemarkWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

using namespace cloud;
using namespace cloud::test;
using Kind = MessageBox::Kind;
using Operation = HostOperations::Operation;

namespace {

class HostOperationsTest : public HostGuiTest
{
protected:
    // Runs `start` and waits until the operation has told its outcome.
    void finish(const std::function<void()> &start)
    {
        QSignalSpy spy(&operations, &HostOperations::operationFinished);
        start();
        ASSERT_TRUE(spy.count() > 0 || spy.wait(10000));
    }
    static void expectBox(const MessageBox::Record &box, Kind kind, const QString &title,
                          const QString &text)
    {
        EXPECT_EQ(box.kind, kind);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.text, text);
    }

    HostServiceFake service;
    HostActionsRecorder recorder;
    HostOperations operations{recorder.context(), nullptr};
};

} // namespace

TEST_F(HostOperationsTest, RestartJudgesTheStatusNumberAndReloadsEitherWay)
{
    service.answer("/user/data/vpscz", R"({"status":200})");
    finish([&] { EXPECT_TRUE(operations.restartHost(sampleHost())); });
    service.answer("/user/data/vpscz", R"({"status":"200"})");
    finish([&] { EXPECT_TRUE(operations.restartHost(sampleHost())); });

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].get_param_value("id"), "42");
    EXPECT_EQ(requests[0].get_param_value("cz"), "reset");
    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 2);
    expectBox(boxes[0], Kind::Skinned, QStringLiteral("提示"),
              QStringLiteral("操作成功，请耐心等待"));
    expectBox(boxes[1], Kind::Skinned, QStringLiteral("错误"),
              QStringLiteral(R"({"status":"200"})"));
    EXPECT_EQ(recorder.reloads, 2);
}

TEST_F(HostOperationsTest, ASecondStartWhileTheRequestRunsIsRefused)
{
    service.answer("/user/data/vpscz", R"({"status":200})");
    service.hold();
    EXPECT_TRUE(operations.restartHost(sampleHost()));
    ASSERT_TRUE(waitUntil([&] { return service.requests().size() == 1; }));
    EXPECT_TRUE(operations.isRunning(Operation::Restart));
    EXPECT_FALSE(operations.restartHost(sampleHost()));
    // Another operation is not held up by the restart.
    EXPECT_TRUE(operations.requestRefund(sampleHost()));
    service.release();
    ASSERT_TRUE(waitUntil([&] {
        return !operations.isRunning(Operation::Restart) &&
               !operations.isRunning(Operation::Refund);
    }));
    EXPECT_EQ(service.requestCount("/user/data/vpscz"), 1u);
    EXPECT_EQ(MessageBox::takeRecords().size(), 2);
    EXPECT_TRUE(operations.restartHost(sampleHost()));
}

TEST_F(HostOperationsTest, RefundSendsItsHeaderLinesAndTellsTheLastError)
{
    service.answer("/user/ajax_tk_mng.asp", "<p>错误：第一</p><p>错误：已超过退款期限");
    finish([&] { EXPECT_TRUE(operations.requestRefund(sampleHost())); });

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    const httplib::Request &r = requests[0];
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.get_param_value("module"), "sqtk");
    EXPECT_EQ(r.get_param_value("id"), "42");
    EXPECT_EQ(r.get_header_value("Accept"),
              "image/gif, image/jpeg, image/pjpeg, application/x-ms-application, "
              "application/xaml+xml, application/x-ms-xbap, */*");
    EXPECT_EQ(r.get_header_value("Accept-Language"), "zh-Hans-CN,zh-Hans;q=0.5");
    EXPECT_EQ(r.get_header_value("User-Agent"),
              "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko");
    EXPECT_EQ(r.get_header_value("Host"), AppSession::instance().apiHost());
    EXPECT_EQ(r.get_header_value("Connection"), "Keep-Alive");

    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    expectBox(boxes[0], Kind::AutoClosing, QStringLiteral("友情提醒"),
              QStringLiteral("已超过退款期限"));
    EXPECT_EQ(boxes[0].timeoutMs, 5000);
    EXPECT_EQ(recorder.reloads, 1);
}

TEST_F(HostOperationsTest, ReinstallWithAnEmptySystemListFailsWithoutARequest)
{
    service.answer("/user/VPSIDos", R"({"count":0,"data":[]})");
    QPointer<ReinstallWindow> window = operations.openReinstallWindow(sampleHost());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->size(), ReinstallWindow::kSize);
    EXPECT_FALSE(window->installButton()->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return window->installButton()->isEnabled(); }));
    EXPECT_EQ(window->nameBox()->count(), 0);
    EXPECT_EQ(window->idBox()->count(), 0);

    finish([&] { window->installButton()->click(); });
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    expectBox(boxes[0], Kind::Information, QStringLiteral("信息："), QStringLiteral("安装失败"));
    EXPECT_EQ(service.requestCount("/user/data/installos"), 0u);
    EXPECT_EQ(service.requests()[0].body, "id=42");
}

TEST_F(HostOperationsTest, ReinstallSendsTheIdentifierOfTheChosenName)
{
    service.answer("/user/VPSIDos",
                   R"({"count":2,"data":[{"osid":7,"osname":"Windows Server 2019"},)"
                   R"({"osid":9,"osname":"Ubuntu 22.04 中文版"}]})");
    service.answer("/user/data/installos", "1000");
    QPointer<ReinstallWindow> window = operations.openReinstallWindow(sampleHost());
    ASSERT_TRUE(waitUntil([&] { return window->installButton()->isEnabled(); }));
    EXPECT_EQ(window->nameBox()->currentText(), QStringLiteral("Windows Server 2019"));
    EXPECT_EQ(window->idBox()->currentText(), QStringLiteral("7"));
    EXPECT_EQ(window->chosenOsId(), "7");

    window->nameBox()->setCurrentIndex(1);
    EXPECT_EQ(window->idBox()->currentText(), QStringLiteral("9"));
    EXPECT_EQ(window->chosenOsId(), "9");

    finish([&] { window->installButton()->click(); });
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(service.requests().back().body, "osid=9&id=42");
    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    expectBox(boxes[0], Kind::Skinned, QStringLiteral("提示"),
              QStringLiteral("重置成功，请耐心等待"));
    EXPECT_EQ(recorder.reloads, 1);
}

TEST_F(HostOperationsTest, OsListIsAskedForWithoutFollowingARedirect)
{
    service.redirect("/user/VPSIDos", "/user/login");
    QPointer<ReinstallWindow> window = operations.openReinstallWindow(sampleHost());
    ASSERT_TRUE(waitUntil([&] { return window->installButton()->isEnabled(); }));
    EXPECT_EQ(service.requestCount("/user/login"), 0u);
    EXPECT_EQ(window->nameBox()->count(), 0);
    window->close();
}

TEST_F(HostOperationsTest, DifferentPasswordsNeverReachTheService)
{
    QPointer<ChangePasswordWindow> window = operations.openChangePasswordWindow(sampleHost());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->size(), ChangePasswordWindow::kSize);
    window->newPasswordEdit()->setText(QStringLiteral("Abc12345"));
    window->repeatEdit()->setText(QStringLiteral("Abc12346"));
    window->changeButton()->click();
    QCoreApplication::processEvents();

    EXPECT_TRUE(service.requests().empty());
    EXPECT_FALSE(window.isNull());
    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    expectBox(boxes[0], Kind::Skinned, QStringLiteral("错误"), QStringLiteral("两次密码不一致"));
    EXPECT_EQ(recorder.reloads, 0);
    window->close();
}

TEST_F(HostOperationsTest, PasswordCodes)
{
    struct Case
    {
        std::string reply;
        bool closes;
        int boxes;
    };
    const Case cases[] = {{"1000", true, 0},  {"1001", false, 1}, {"1002", false, 1},
                          {"1003", false, 1}, {"9", false, 0},    {"", false, 0}};
    for (const Case &c : cases) {
        service.answer("/user/data/vpspassword", c.reply);
        recorder.reloads = 0;
        QPointer<ChangePasswordWindow> window = operations.openChangePasswordWindow(sampleHost());
        window->newPasswordEdit()->setText(QStringLiteral("Abc&123"));
        window->repeatEdit()->setText(QStringLiteral("Abc&123"));
        finish([&] { window->changeButton()->click(); });
        flushDeletes();
        EXPECT_EQ(window.isNull(), c.closes) << c.reply;
        EXPECT_EQ(recorder.reloads, c.closes ? 1 : 0) << c.reply;
        EXPECT_EQ(MessageBox::takeRecords().size(), c.boxes) << c.reply;
        if (window) {
            EXPECT_TRUE(window->changeButton()->isEnabled());
            window->close();
        }
    }
    EXPECT_EQ(service.requests().back().body, "password=Abc&123&id=42");
}

TEST_F(HostOperationsTest, RemarkWindowClosesAfterEveryAnswer)
{
    AppSession::instance().setAccountName("13800000000");
    AppSession::instance().setAccountPassword("s3cret");
    const std::pair<std::string, QString> cases[] = {{"1000", QStringLiteral("设置成功")},
                                                     {"1002", QStringLiteral("字符非法")},
                                                     {"1001", QStringLiteral("设置失败")},
                                                     {"", QStringLiteral("设置失败")}};
    for (const auto &[reply, message] : cases) {
        service.answer("/user/data/vpsbz", reply);
        QPointer<RemarkWindow> window = operations.openRemarkWindow(sampleHost());
        ASSERT_TRUE(window);
        EXPECT_EQ(window->size(), RemarkWindow::kSize);
        window->remarkEdit()->setText(QStringLiteral("备用机"));
        finish([&] { window->setButton()->click(); });
        flushDeletes();
        EXPECT_TRUE(window.isNull()) << reply;
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1);
        expectBox(boxes[0], Kind::Information, QStringLiteral("信息："), message);
    }
    EXPECT_EQ(recorder.reloads, 4);
    EXPECT_EQ(service.requests().back().body,
              "username=13800000000&password=s3cret&id=42&bz=" + utf8ToGbk("备用机"));
}
