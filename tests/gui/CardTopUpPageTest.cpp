#include "FinanceFakeService.h"
#include "FinanceTestPacing.h"
#include "GuiTestEnvironment.h"

#include "finance/CardTopUpPage.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/PictureBox.h"
#include "ui/ProgressPhase.h"
#include "ui/Workers.h"

#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace cloud::test {
namespace {

using namespace std::chrono_literals;

constexpr const char *kCardTopUp = "/user/pay/czkzf";

class CardTopUpPageTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Pacing::install(pacing);
        // As in the main window, the focus rests outside the page's boxes until the user
        // enters one, so that they show their hints.
        host = std::make_unique<QWidget>();
        auto *frame = new QWidget(host.get());
        frame->setFocusPolicy(Qt::ClickFocus);
        page = new CardTopUpPage(phase, host.get());
        finished = std::make_unique<QSignalSpy>(page.data(), &CardTopUpPage::redemptionFinished);
        ASSERT_TRUE(showActive(*host));
        frame->setFocus();
    }
    void TearDown() override
    {
        service.release();
        EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
        Workers::resetForTests();
        QCoreApplication::processEvents();
        Pacing::install(nullptr);
    }

    // Redeems, and gives the button's caption at every pause of the flow, read in the
    // order of the flow's writes.
    QStringList redeemRecordingCaptions()
    {
        auto captions = std::make_shared<QStringList>();
        auto mutex = std::make_shared<std::mutex>();
        QPointer<QObject> guard(page.data());
        QPushButton *button = page->redeemButton();
        pacing->setHook([=](std::chrono::milliseconds) {
            const auto text = readFromGui<QString>(guard, [button] {
                                  return button->text();
                              }).value_or(QString());
            std::lock_guard lock(*mutex);
            if (captions->isEmpty() || captions->last() != text)
                captions->append(text);
        });
        [&] {
            ASSERT_TRUE(page->redeemCard());
            ASSERT_TRUE(finished->wait(5000));
        }();
        pacing->setHook({});
        std::lock_guard lock(*mutex);
        return *captions;
    }

    std::shared_ptr<FinanceTestPacing> pacing = std::make_shared<FinanceTestPacing>();
    ProgressPhase phase;
    FinanceFakeService service;
    std::unique_ptr<QWidget> host;
    QPointer<CardTopUpPage> page;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(CardTopUpPageTest, ControlsHintsAndTabKeys)
{
    EXPECT_NE(page->findChild<QFrame *>(QStringLiteral("分组框卡密激活")), nullptr);
    EXPECT_NE(page->findChild<PictureBox *>(QStringLiteral("图片框EX5")), nullptr);
    EXPECT_NE(page->findChild<PictureBox *>(QStringLiteral("图片框EX7")), nullptr);
    QPushButton *button = page->findChild<QPushButton *>(QStringLiteral("按钮打码登录2"));
    ASSERT_EQ(button, page->redeemButton());
    EXPECT_EQ(button->text(), QStringLiteral("使用"));
    BusyIndicator *busy = page->findChild<BusyIndicator *>(QStringLiteral("图片框登录进度"));
    ASSERT_EQ(busy, page->busy());
    EXPECT_EQ(&busy->phase(), &phase) << "the indicator follows the main window's phase";
    EXPECT_EQ(busy->timer()->objectName(), QStringLiteral("时钟1"));

    HintLineEdit *number = page->findChild<HintLineEdit *>(QStringLiteral("编辑框卡号"));
    HintLineEdit *password = page->findChild<HintLineEdit *>(QStringLiteral("编辑框卡密"));
    ASSERT_TRUE(number && password);
    EXPECT_EQ(number->text(), QStringLiteral("卡号"));
    EXPECT_EQ(password->text(), QStringLiteral("卡密"));
    EXPECT_EQ(number->textColour(), QColor(0xB3, 0xB3, 0xB3));

    number->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(number->text(), QString()) << "entering a hinting box empties it";
    EXPECT_EQ(number->textColour(), QColor(0xFF, 0xFF, 0xFF));
    QTest::keyClicks(number, QStringLiteral("8800"));
    QTest::keyClick(number, Qt::Key_Tab);
    EXPECT_TRUE(password->hasFocus());
    EXPECT_EQ(password->text(), QString());
    QTest::keyClick(password, Qt::Key_Tab);
    EXPECT_TRUE(number->hasFocus());
    EXPECT_EQ(password->text(), QStringLiteral("卡密")) << "left empty, the hint comes back";
    EXPECT_EQ(number->text(), QStringLiteral("8800"));
}

struct OutcomeCase
{
    const char *reply;
    const char *caption;
    bool success;
};

TEST_F(CardTopUpPageTest, RepliesAreComparedWholeAndShownOnTheButton)
{
    const OutcomeCase cases[] = {
        {"充值成功", "    充值成功", true},
        {"卡号或卡密错误", "    卡号密码错误", false},
        {"充值成功\r\n", "    充值失败", false},
        {" 充值成功", "    充值失败", false},
        {"", "    充值失败", false},
        {"此卡已被使用", "    充值失败", false},
    };
    for (const OutcomeCase &c : cases) {
        service.answer(kCardTopUp, c.reply);
        finished->clear();
        const std::size_t pausesBefore = pacing->pauses().size();
        const QStringList captions = redeemRecordingCaptions();
        EXPECT_EQ(captions,
                  QStringList({QStringLiteral("    正在充值中"), QString::fromUtf8(c.caption)}))
            << c.reply;
        EXPECT_EQ(phase.value(), c.success ? ProgressPhase::Success : ProgressPhase::Failure);
        const auto pauses = pacing->pauses();
        ASSERT_GE(pauses.size(), pausesBefore + 2);
        // The random pause before the outcome, drawn as the lower bounds here, then a second.
        EXPECT_EQ(pauses[pausesBefore], c.success ? 300ms : 500ms) << c.reply;
        EXPECT_EQ(pauses[pausesBefore + 1], 1000ms) << c.reply;
        EXPECT_EQ(page->redeemButton()->text(), QStringLiteral("使用"));
        EXPECT_TRUE(page->redeemButton()->isEnabled());
        EXPECT_FALSE(page->busy()->isVisible());
    }
    const auto draws = pacing->draws();
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0], std::make_pair(500, 1500));
    EXPECT_EQ(draws[1], std::make_pair(300, 1000));
}

TEST_F(CardTopUpPageTest, UntouchedBoxesSendTheirHintsAndKeepTheirTexts)
{
    service.answer(kCardTopUp, "充值成功");
    ASSERT_TRUE(page->redeemCard());
    ASSERT_TRUE(finished->wait(5000));
    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, kCardTopUp);
    EXPECT_EQ(requests[0].body, utf8ToGbk("cid=卡号&cpass=卡密"));
    EXPECT_EQ(page->cardNumberEdit()->text(), QStringLiteral("卡号"));

    page->cardNumberEdit()->setValue(QStringLiteral(" CZ-01&x "));
    page->cardPasswordEdit()->setValue(QStringLiteral("p=1"));
    ASSERT_TRUE(page->redeemCard());
    ASSERT_TRUE(finished->wait(5000));
    EXPECT_EQ(service.requests().at(1).body, "cid= CZ-01&x &cpass=p=1") << "as typed, untrimmed";
    EXPECT_EQ(page->cardNumberEdit()->text(), QStringLiteral(" CZ-01&x "));
    EXPECT_EQ(page->cardPasswordEdit()->text(), QStringLiteral("p=1"));
}

TEST_F(CardTopUpPageTest, ButtonIsBusyAndRefusesASecondRedemption)
{
    service.answer(kCardTopUp, "卡号或卡密错误");
    service.hold();
    QTest::mouseClick(page->redeemButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page->redeemButton()->text() == QStringLiteral("    正在充值中"); }, 5000));
    EXPECT_FALSE(page->redeemButton()->isEnabled());
    EXPECT_TRUE(page->busy()->isVisible());
    EXPECT_EQ(phase.value(), ProgressPhase::Busy);
    EXPECT_FALSE(page->redeemCard());
    service.release();
    ASSERT_TRUE(finished->wait(5000));
    EXPECT_EQ(service.requestCount(), 1u);
    EXPECT_EQ(finished->count(), 1);
    // The clicked button gave no focus away to a box when it was disabled.
    EXPECT_EQ(page->cardNumberEdit()->text(), QStringLiteral("卡号"));
    EXPECT_EQ(page->cardPasswordEdit()->text(), QStringLiteral("卡密"));
}

// A purchase that starts while the card's outcome plays takes over the shared phase, and
// the card's indicator then never reaches its last frame; the page must come back anyway.
TEST_F(CardTopUpPageTest, PurchaseTakingOverThePhaseDoesNotStrandThePage)
{
    service.answer(kCardTopUp, "充值成功");
    QPointer<QObject> guard(page.data());
    pacing->setHook([this, guard](std::chrono::milliseconds ms) {
        // On the GUI thread, after the outcome has been shown.
        if (ms == 1000ms)
            readFromGui<bool>(guard, [this] { return phase.set(ProgressPhase::Busy), true; });
    });
    ASSERT_TRUE(page->redeemCard());
    ASSERT_TRUE(finished->wait(5000));
    pacing->setHook({});
    EXPECT_EQ(page->redeemButton()->text(), QStringLiteral("使用"));
    EXPECT_TRUE(page->redeemButton()->isEnabled());
}

TEST_F(CardTopUpPageTest, PageClosedDuringRedemptionDropsTheRest)
{
    service.answer(kCardTopUp, "充值成功");
    service.hold();
    ASSERT_TRUE(page->redeemCard());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.requestCount() == 1; }, 5000));
    finished.reset();
    delete page.data();
    service.release();
    ASSERT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
    QCoreApplication::processEvents();
}

} // namespace
} // namespace cloud::test
