#include "FinanceFakeService.h"
#include "GuiTestEnvironment.h"

#include "finance/RechargeRequest.h"
#include "finance/RechargeWindow.h"
#include "ui/HoverLabel.h"
#include "ui/Workers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

namespace cloud::test {
namespace {

constexpr const char *kTopUp = "/user/zfbzf";

TEST(RechargeRequest, OnlyWebAddressesArePaymentPages)
{
    const std::pair<const char *, const char *> accepted[] = {
        {"https://pay.example.com/order?id=42&sign=ab",
         "https://pay.example.com/order?id=42&sign=ab"},
        {"http://127.0.0.1:8080/pay", "http://127.0.0.1:8080/pay"},
        {"  HTTPS://Pay.Example.com/x\r\n", "https://pay.example.com/x"},
    };
    for (const auto &[reply, url] : accepted)
        EXPECT_EQ(RechargeRequest::paymentPage(reply), QUrl(QString::fromUtf8(url))) << reply;

    const char *refused[] = {"",
                             "\r\n",
                             "订单创建失败",
                             "1001",
                             "/user/pay/index.asp?id=1",
                             "pay.example.com/order",
                             "file:///etc/passwd",
                             "file://server/share/run.exe",
                             "C:\\Windows\\System32\\calc.exe",
                             "cmd /c start calc",
                             "javascript:alert(1)",
                             "ftp://example.com/pay",
                             "http:/pay",
                             "http://",
                             "https://pay.example.com/a b",
                             "http://pay.example.com/\nfile:///etc/passwd"};
    for (const char *reply : refused)
        EXPECT_FALSE(RechargeRequest::paymentPage(reply).isValid()) << reply;
}

class RechargeWindowTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        MessageBox::takeRecords();
        FinanceContext context;
        context.userName = [] { return std::string("user01"); };
        context.openUrl = [this](const QUrl &url) { opened.append(url); };
        window = RechargeWindow::open(nullptr, context);
        closedSpy = std::make_unique<QSignalSpy>(window.data(), &RechargeWindow::closed);
    }
    void TearDown() override
    {
        service.release();
        EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
        Workers::resetForTests();
        QCoreApplication::processEvents();
        delete window.data();
    }

    bool requestSettled()
    {
        return QTest::qWaitFor([&] { return !window || !window->isBusy(); }, 5000);
    }

    FinanceFakeService service;
    QPointer<RechargeWindow> window;
    std::unique_ptr<QSignalSpy> closedSpy;
    QList<QUrl> opened;
};

TEST_F(RechargeWindowTest, ProposesTheSignedInAccountAndTabsToTheAmount)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("RechargeWindow"));
    EXPECT_EQ(window->size(), QSize(348, 237));
    EXPECT_TRUE(window->isModal());
    EXPECT_NE(window->findChild<QWidget *>(QStringLiteral("个人信息1")), nullptr);
    EXPECT_NE(window->findChild<HoverLabel *>(QStringLiteral("标签关闭")), nullptr);
    const std::pair<const char *, const char *> captions[] = {
        {"标签EX2", "充值中心"}, {"标签EX1", "充值账号："}, {"标签EX3", "充值金额："}};
    for (const auto &[name, text] : captions)
        EXPECT_EQ(window->findChild<QLabel *>(QString::fromUtf8(name))->text(),
                  QString::fromUtf8(text));
    EXPECT_EQ(window->findChild<QPushButton *>(QStringLiteral("充值按钮"))->text(),
              QStringLiteral("充值"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("编辑框EX2")), window->accountEdit());
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("编辑框EX1")), window->amountEdit());
    EXPECT_EQ(window->accountEdit()->text(), QStringLiteral("user01"));

    ASSERT_TRUE(showActive(*window));
    window->accountEdit()->setFocus();
    QTest::keyClick(window->accountEdit(), Qt::Key_Tab);
    EXPECT_TRUE(window->amountEdit()->hasFocus());
}

TEST_F(RechargeWindowTest, EmptyBoxesAreRefusedBeforeAnythingIsSent)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"", "10", "账号不能为空"}, {"", "", "账号不能为空"}, {"user01", "", "金额不能为空"}};
    for (const auto &[account, amount, message] : cases) {
        window->accountEdit()->setText(QString::fromUtf8(account));
        window->amountEdit()->setText(QString::fromUtf8(amount));
        EXPECT_FALSE(window->onRechargeClicked());
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].kind, MessageBox::Kind::Skinned);
        EXPECT_EQ(boxes[0].title, QStringLiteral("错误"));
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(message));
    }
    EXPECT_EQ(service.requestCount(), 0u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(RechargeWindowTest, PaymentPageOpensOnceAndTheWindowCloses)
{
    service.answer(kTopUp, "https://pay.example.com/order?no=20240501&money=10");
    window->accountEdit()->setText(QStringLiteral("其他账号"));
    window->amountEdit()->setText(QStringLiteral(" 10 "));
    QTest::mouseClick(window->rechargeButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closedSpy->count() == 1; }, 5000));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0],
              QUrl(QStringLiteral("https://pay.example.com/order?no=20240501&money=10")));
    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, kTopUp);
    // As typed, blanks included; the account in GBK.
    EXPECT_EQ(requests[0].body, "ORDERMONEY= 10 &USERNAME=" + utf8ToGbk("其他账号"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000))
        << "the window deletes itself once closed";
}

// The shell would run whatever it is handed; only a web address may reach it.
TEST_F(RechargeWindowTest, ReplyThatIsNoWebAddressOpensNothing)
{
    for (const char *reply : {"", "余额不足", "file:///C:/Windows/System32/calc.exe",
                              "C:\\Windows\\System32\\cmd.exe", "/user/pay?id=1"}) {
        service.answer(kTopUp, reply);
        window->amountEdit()->setText(QStringLiteral("10"));
        ASSERT_TRUE(window->onRechargeClicked()) << reply;
        ASSERT_TRUE(requestSettled()) << reply;
        QCoreApplication::processEvents();
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1) << reply;
        EXPECT_EQ(boxes[0].title, QStringLiteral("错误"));
        EXPECT_EQ(boxes[0].text, QStringLiteral("充值失败")) << reply;
        EXPECT_TRUE(opened.isEmpty()) << reply;
        ASSERT_FALSE(window.isNull());
        EXPECT_TRUE(window->isVisible()) << reply;
        EXPECT_TRUE(window->rechargeButton()->isEnabled()) << reply;
    }
    EXPECT_EQ(closedSpy->count(), 0);
}

TEST_F(RechargeWindowTest, SecondClickWhileWaitingIsRefused)
{
    service.answer(kTopUp, "http://pay.example.com/x");
    service.hold();
    window->amountEdit()->setText(QStringLiteral("10"));
    ASSERT_TRUE(window->onRechargeClicked());
    EXPECT_FALSE(window->rechargeButton()->isEnabled());
    EXPECT_FALSE(window->onRechargeClicked());
    service.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closedSpy->count() == 1; }, 5000));
    EXPECT_EQ(service.requestCount(), 1u);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(RechargeWindowTest, CloseLabelClosesWithoutSending)
{
    window->findChild<HoverLabel *>(QStringLiteral("标签关闭"))->clicked();
    EXPECT_EQ(closedSpy->count(), 1);
    EXPECT_EQ(service.requestCount(), 0u);
}

} // namespace
} // namespace cloud::test
