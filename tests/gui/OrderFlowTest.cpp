#include "OrdersTestSupport.h"

#include "orders/CataloguePage.h"
#include "orders/OrderFlow.h"
#include "ui/BusyIndicator.h"

#include <QPushButton>

namespace cloud::test {
namespace {

using Step = std::pair<QString, int>; // caption, phase when it was shown

class OrderFlowTest : public OrdersTest
{
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        pacing = std::make_shared<InstantPacing>();
        Pacing::install(pacing);
        page = std::make_unique<CataloguePage>(OrdersContext{});
        page->show();
        QObject::connect(page.get(), &CataloguePage::buyCaptionChanged, [this](const QString &c) {
            steps.push_back({c, MainProgress::value()});
            busyShown.push_back(!page->busy()->isHidden());
        });
    }
    void TearDown() override
    {
        page.reset();
        OrdersTest::TearDown();
    }

    // Places the order and waits until the button is back to "购买".
    void order(const OrderRequest &request)
    {
        ASSERT_TRUE(OrderFlow::start(page.get(), request));
        ASSERT_TRUE(waitFor([&] { return !steps.empty() && steps.back().first == qs("购买"); }));
        ASSERT_TRUE(waitFor([] { return !OrderFlow::isRunning(); }));
        EXPECT_TRUE(page->buyButton()->isEnabled());
        EXPECT_TRUE(page->busy()->isHidden());
    }

    std::shared_ptr<InstantPacing> pacing;
    std::unique_ptr<CataloguePage> page;
    std::vector<Step> steps;
    std::vector<bool> busyShown;
};

TEST_F(OrderFlowTest, TheNumberTwoHundredOpensTheHost)
{
    service->on("POST", "/user/data/buy", R"({"status":200,"data":"开通成功"})");
    order({"Annual", "abc", "11"});
    const std::vector<Step> expected{{qs("  开通中"), ProgressPhase::Busy},
                                     {qs("   开通成功"), ProgressPhase::Success},
                                     {qs("购买"), ProgressPhase::Success}};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(busyShown, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(MessageBox::takeRecords().isEmpty());
    const auto sent = service->requestsTo("/user/data/buy");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].body, "year=Annual&id=0&osid=11&duration=1");
    // The success pause before the outcome, then the three seconds it stays.
    EXPECT_GE(pacing->total(), std::chrono::milliseconds(300 + 3000));
}

TEST_F(OrderFlowTest, AnythingElseShowsTheServiceMessage)
{
    struct Case
    {
        const char *reply;
        const char *message;
    } const cases[] = {
        {R"({"status":"200","data":"余额不足，请先充值"})", "余额不足，请先充值"},
        {R"({"status":500,"data":"库存不足"})", "库存不足"},
        {"", ""},
    };
    for (const Case &c : cases) {
        steps.clear();
        service->on("POST", "/user/data/buy", c.reply);
        order({"month", "17", "11"});
        const std::vector<Step> expected{{qs("  开通中"), ProgressPhase::Busy},
                                         {qs("购买"), ProgressPhase::Failure}};
        EXPECT_EQ(steps, expected) << c.reply;
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1) << c.reply;
        EXPECT_EQ(boxes[0].kind, MessageBox::Kind::Skinned);
        EXPECT_EQ(boxes[0].title, QStringLiteral("错误"));
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    }
    EXPECT_EQ(service->requestsTo("/user/data/buy").back().body,
              "year=month&id=17&osid=11&duration=1");
}

TEST_F(OrderFlowTest, ASecondOrderWaitsForTheFirst)
{
    service->on("POST", "/user/data/buy", R"({"status":200,"data":""})");
    ASSERT_TRUE(OrderFlow::start(page.get(), {"month", "1", "11"}));
    // The first order cannot end without the GUI thread, which is still here.
    EXPECT_FALSE(OrderFlow::start(page.get(), {"month", "2", "11"}));
    ASSERT_TRUE(waitFor([] { return !OrderFlow::isRunning(); }));
    const auto sent = service->requestsTo("/user/data/buy");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].body, "year=month&id=1&osid=11&duration=1");
}

} // namespace
} // namespace cloud::test
