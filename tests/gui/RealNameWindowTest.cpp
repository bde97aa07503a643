#include "FinanceFakeService.h"
#include "GuiTestEnvironment.h"

#include "finance/RealNameRequest.h"
#include "finance/RealNameWindow.h"
#include "ui/Workers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <atomic>

namespace cloud::test {
namespace {

constexpr const char *kRealName = "/user/sm2";
const QString kMismatch =
    QStringLiteral("认证信息不匹配，请确保手机号码与本人身份信息一致，如有问题请联系客服！");

TEST(RealNameRequest, NamesAreEscapedCharacterForCharacter)
{
    const std::pair<const char *, const char *> cases[] = {
        {"中文", "%25u4E2D%25u6587"},
        {"A B", "A%20B"},
        {"O'Neil", "O%25u2019Neil"},
        {"阿卜杜·热合曼", "%25u963F%25u535C%25u675C%B7%25u70ED%25u5408%25u66FC"},
        {"x/y.z-_+*@", "x/y.z-_+*@"},
        {"", ""},
        // A backslash is a character of the name, never the start of an escape sequence.
        {"a\\b", "a%5Cb"},
        {"\\n", "%5Cn"},
        {"\\u4E2D", "%5Cu4E2D"},
        {"end\\", "end%5C"},
        {"\\'", "%5C%25u2019"},
        // Line breaks would end the literal the escaping reads; they come out escaped too.
        {"张\n三", "%25u5F20%0A%25u4E09"},
        {"a\r\nb", "a%0D%0Ab"},
        {"a\u2028b\u2029", "a%25u2028b%25u2029"},
    };
    for (const auto &[name, escaped] : cases)
        EXPECT_EQ(RealNameRequest::escapedName(name), escaped) << name;
}

class RealNameWindowTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        MessageBox::takeRecords();
        FinanceContext context;
        context.userName = [] { return std::string("user01"); };
        context.mobile = [] { return std::string("13800138000"); };
        context.reloadProfile = [this] { ++reloads; };
        window = RealNameWindow::open(nullptr, context);
        closedSpy = std::make_unique<QSignalSpy>(window.data(), &RealNameWindow::closed);
        verifiedSpy = std::make_unique<QSignalSpy>(window.data(), &RealNameWindow::verified);
    }
    void TearDown() override
    {
        service.release();
        EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
        Workers::resetForTests();
        QCoreApplication::processEvents();
        delete window.data();
    }

    void submit(const QString &name, const QString &idNumber)
    {
        window->nameEdit()->setText(name);
        window->idNumberEdit()->setText(idNumber);
        ASSERT_TRUE(window->submitRealName());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window || !window->isBusy(); }, 5000));
        QCoreApplication::processEvents();
    }

    FinanceFakeService service;
    QPointer<RealNameWindow> window;
    std::unique_ptr<QSignalSpy> closedSpy;
    std::unique_ptr<QSignalSpy> verifiedSpy;
    std::atomic<int> reloads{0};
};

TEST_F(RealNameWindowTest, ShowsTheAccountAndItsMobile)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("RealNameWindow"));
    EXPECT_EQ(window->size(), QSize(552, 415));
    EXPECT_TRUE(window->isModal());
    const std::pair<const char *, const char *> labels[] = {
        {"标签EX2", "实名认证"},    {"账号", "账   号："},        {"账号1", "user01"},
        {"手机号码", "手机号码："}, {"手机号码1", "13800138000"}, {"真实姓名", "真实姓名："},
        {"身份证号", "身份证号："}};
    for (const auto &[name, text] : labels) {
        auto *label = window->findChild<QLabel *>(QString::fromUtf8(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_TRUE(window->findChild<QLabel *>(QStringLiteral("标签EX6"))
                    ->text()
                    .contains(QStringLiteral("第二十四条")));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("真实姓名_编辑框")),
              window->nameEdit());
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("身份证号_编辑框")),
              window->idNumberEdit());
    EXPECT_EQ(window->findChild<QPushButton *>(QStringLiteral("实名认证按钮"))->text(),
              QStringLiteral("认证"));
}

TEST_F(RealNameWindowTest, AcceptedDataReloadsTheProfileAndCloses)
{
    service.answer(kRealName, "1000");
    submit(QStringLiteral("中文"), QStringLiteral("11010519491231002X"));
    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body,
              "truename=%25u4E2D%25u6587&perid=11010519491231002X&mobi=13800138000");
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(verifiedSpy->count(), 1);
    const auto boxes = MessageBox::takeRecords();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].kind, MessageBox::Kind::Information);
    EXPECT_EQ(boxes[0].text, QStringLiteral("认证成功！"));
    EXPECT_EQ(closedSpy->count(), 1);
}

TEST_F(RealNameWindowTest, AnyOtherReplyIsAMismatchAndTheWindowStays)
{
    for (const char *reply : {"", "1001", "1000\r\n", "身份证号码格式错误"}) {
        service.answer(kRealName, reply);
        submit(QStringLiteral("A B"), QString());
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1) << reply;
        EXPECT_EQ(boxes[0].text, kMismatch) << reply;
        ASSERT_FALSE(window.isNull());
        EXPECT_TRUE(window->isVisible()) << reply;
        EXPECT_TRUE(window->submitButton()->isEnabled()) << reply;
    }
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(verifiedSpy->count(), 0);
    EXPECT_EQ(closedSpy->count(), 0);
    // Empty boxes are the service's to judge.
    EXPECT_EQ(service.requests().back().body, "truename=A%20B&perid=&mobi=13800138000");
}

TEST_F(RealNameWindowTest, NamesWithBackslashesAndLineBreaksAreSentEscaped)
{
    service.answer(kRealName, "1001");
    submit(QStringLiteral("O'Brien\\\nJr"), QStringLiteral("1"));
    ASSERT_EQ(service.requestCount(), 1u);
    EXPECT_EQ(service.requests()[0].body,
              "truename=O%25u2019Brien%5C%0AJr&perid=1&mobi=13800138000");
}

TEST_F(RealNameWindowTest, SecondSubmissionWhileWaitingIsRefused)
{
    service.answer(kRealName, "1001");
    service.hold();
    window->nameEdit()->setText(QStringLiteral("张三"));
    ASSERT_TRUE(window->submitRealName());
    EXPECT_FALSE(window->submitButton()->isEnabled());
    EXPECT_FALSE(window->submitRealName());
    service.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isBusy(); }, 5000));
    EXPECT_EQ(service.requestCount(), 1u);
    EXPECT_EQ(MessageBox::takeRecords().size(), 1);
}

} // namespace
} // namespace cloud::test
