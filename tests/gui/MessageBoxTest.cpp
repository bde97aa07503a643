#include "GuiTestEnvironment.h"

#include "ui/MessageBox.h"
#include "ui/SkinnedMessageBox.h"

#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace cloud::test {
namespace {

class MessageBoxTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        MessageBox::takeRecords();
    }
    void TearDown() override { MessageBox::setHeadless(true); }
};

TEST_F(MessageBoxTest, HeadlessBoxesAreRecordedWithTheirTitles)
{
    EXPECT_EQ(MessageBox::information(nullptr, QStringLiteral("网络连接失败，请重新登录！")),
              QMessageBox::Ok);
    MessageBox::skinned(nullptr, QStringLiteral("提示"), QStringLiteral("两次密码不一致"));
    MessageBox::autoClosing(nullptr, QStringLiteral("友情提醒"), QStringLiteral("x"), 3000);
    const QList<MessageBox::Record> records = MessageBox::takeRecords();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].kind, MessageBox::Kind::Information);
    EXPECT_EQ(records[0].title, QStringLiteral("信息："));
    EXPECT_EQ(records[0].text, QStringLiteral("网络连接失败，请重新登录！"));
    EXPECT_EQ(records[1].title, QStringLiteral("提示"));
    EXPECT_EQ(records[2].kind, MessageBox::Kind::AutoClosing);
    EXPECT_EQ(records[2].timeoutMs, 3000);
    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());
}

TEST_F(MessageBoxTest, NextAnswerIsUsedOnce)
{
    MessageBox::setHeadless(false);
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    EXPECT_EQ(MessageBox::skinned(nullptr, QStringLiteral("错误"), QStringLiteral("e")),
              QMessageBox::Cancel);
    MessageBox::setHeadless(true);
    EXPECT_EQ(MessageBox::skinned(nullptr, QStringLiteral("错误"), QStringLiteral("e")),
              QMessageBox::Ok);
    EXPECT_EQ(MessageBox::takeRecords().size(), 2);
}

TEST_F(MessageBoxTest, WorkerCallReturnsWithoutBlocking)
{
    MessageBox::Button answer = QMessageBox::NoButton;
    QThread *worker = QThread::create([&] {
        answer = MessageBox::skinned(nullptr, QStringLiteral("公告"), QStringLiteral("t"));
    });
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    delete worker;
    EXPECT_EQ(answer, QMessageBox::Ok);
}

TEST_F(MessageBoxTest, ShownSkinnedBoxClosesItselfAfterItsTimeout)
{
    MessageBox::setHeadless(false);
    EXPECT_EQ(MessageBox::autoClosing(nullptr, QStringLiteral("友情提醒"), QStringLiteral("t"), 20),
              QMessageBox::NoButton);
    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());
}

TEST_F(MessageBoxTest, ShownWorkerBoxIsCarriedToTheGuiThread)
{
    MessageBox::setHeadless(false);
    MessageBox::Button answer = QMessageBox::Ok;
    QThread *worker = QThread::create([&] {
        answer =
            MessageBox::autoClosing(nullptr, QStringLiteral("友情提醒"), QStringLiteral("t"), 20);
    });
    worker->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return worker->isFinished(); }, 5000));
    worker->wait();
    delete worker;
    EXPECT_EQ(answer, QMessageBox::NoButton);
}

TEST_F(MessageBoxTest, ShownInformationBoxHasItsTitleAndOk)
{
    MessageBox::setHeadless(false);
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(top);
            if (box && box->isVisible()) {
                title = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    poll.start(10);
    EXPECT_EQ(MessageBox::information(nullptr, QStringLiteral("请先登录")), QMessageBox::Ok);
    EXPECT_EQ(title, QStringLiteral("信息："));
}

TEST_F(MessageBoxTest, SkinnedBoxShowsTitleTextAndAcceptsWithOk)
{
    SkinnedMessageBox box(QStringLiteral("提示"), QStringLiteral("两次密码不一致"), nullptr);
    EXPECT_EQ(box.titleLabel()->text(), QStringLiteral("提示"));
    EXPECT_EQ(box.textLabel()->text(), QStringLiteral("两次密码不一致"));
    QTimer::singleShot(0, box.okButton(), &QPushButton::click);
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

} // namespace
} // namespace cloud::test
