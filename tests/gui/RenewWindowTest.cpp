#include "OrdersTestSupport.h"

#include "orders/RenewWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace cloud::test {
namespace {

class RenewWindowTest : public OrdersTest
{
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        context.balanceText = [this] { return balance; };
        context.reloadHostList = [this] { ++reloads; };
    }

    std::unique_ptr<RenewWindow> openFor(const QString &hostId)
    {
        auto window = std::make_unique<RenewWindow>(hostId, QStringLiteral("云主机-1"), context);
        EXPECT_TRUE(window->isBusy());
        EXPECT_TRUE(waitFor([&] { return !window->isBusy(); }));
        window->show();
        return window;
    }
    void prices(const char *day, const char *month, const char *annual)
    {
        service->on(
            "POST", "/user/xfjgb",
            QStringLiteral(R"({"count":1,"data":[{"day":%1,"month":%2,"Annual":%3,)"
                           R"("starttime":"2025-01-05 08:00:00","endtime":"2025-02-05"}]})")
                .arg(QString::fromUtf8(day), QString::fromUtf8(month), QString::fromUtf8(annual))
                .toStdString());
    }
    // Clicks "续费" and waits for the reply to be handled.
    void renew(RenewWindow &window)
    {
        int answered = 0;
        const auto connection =
            QObject::connect(&window, &RenewWindow::renewalAnswered, [&] { ++answered; });
        window.actionButton()->click();
        EXPECT_TRUE(waitFor([&] { return answered == 1; }));
        QObject::disconnect(connection);
    }

    OrdersContext context;
    QString balance = QStringLiteral("500元");
    int reloads = 0;
};

TEST_F(RenewWindowTest, PricesDecideThePeriods)
{
    prices("10", "100", "0");
    auto window = openFor(QStringLiteral("H-1"));
    EXPECT_TRUE(window->periodButton(RentalPeriod::Day)->isEnabled());
    EXPECT_TRUE(window->periodButton(RentalPeriod::Month)->isEnabled());
    EXPECT_FALSE(window->periodButton(RentalPeriod::Annual)->isEnabled());
    EXPECT_EQ(window->checkedPeriod(), RentalPeriod::Month);
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("100元"));
    EXPECT_EQ(window->openTimeLabel()->text(), QStringLiteral("2025-01-05 08:00:00"));
    EXPECT_EQ(window->expiryLabel()->text(), QStringLiteral("2025-02-05"));
    EXPECT_EQ(window->balanceLabel()->text(), QStringLiteral("当前余额:500元"));
    EXPECT_EQ(service->requestsTo("/user/xfjgb").at(0).body, "id=H-1");

    // A price with a fraction counts in whole yuan, shown and charged alike.
    prices(R"("12.5")", "100", R"("")");
    balance = QStringLiteral("12元");
    window = openFor(QStringLiteral("H-1"));
    window->periodButton(RentalPeriod::Day)->click();
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("12元"));
    service->on("POST", "/user/data/xfbuy", "1000");
    renew(*window);
    EXPECT_EQ(service->requestsTo("/user/data/xfbuy").at(0).body, "year=day&id=H-1");
}

TEST_F(RenewWindowTest, TheBalanceMustCoverThePrice)
{
    prices("10", "100", "1000");
    service->on("POST", "/user/data/xfbuy", "1000");
    balance = QStringLiteral("99.9元");
    auto window = openFor(QStringLiteral("H-2"));
    window->actionButton()->click();
    EXPECT_EQ(boxTexts(), qsl({"余额不足"}));
    EXPECT_TRUE(service->requestsTo("/user/data/xfbuy").empty());
    EXPECT_TRUE(window->isVisible());

    // 100 − 100 is not below 0.
    balance = QStringLiteral("100元");
    renew(*window);
    EXPECT_EQ(service->requestsTo("/user/data/xfbuy").size(), 1u);
}

TEST_F(RenewWindowTest, SuccessReloadsTheHostsAndCloses)
{
    prices("10", "100", "500");
    service->on("POST", "/user/data/xfbuy", "1000");
    auto window = openFor(QStringLiteral("H-3"));
    window->periodButton(RentalPeriod::Annual)->click();
    renew(*window);
    EXPECT_EQ(boxTexts(), qsl({"续费成功"}));
    EXPECT_EQ(reloads, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(service->requestsTo("/user/data/xfbuy").at(0).body, "year=Annual&id=H-3");
}

TEST_F(RenewWindowTest, AnyOtherReplyIsShownAsItIs)
{
    prices("10", "100", "1000");
    auto window = openFor(QStringLiteral("H-4"));
    for (const char *reply : {"1000\r\n", "主机已过期，请联系客服", "1003"}) {
        service->on("POST", "/user/data/xfbuy", reply);
        renew(*window);
        EXPECT_EQ(boxTexts(), QStringList({QString::fromUtf8(reply)}));
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->actionButton()->isEnabled());
    }
    // A redirect is not followed; its empty body is the message.
    service->redirect("POST", "/user/data/xfbuy");
    renew(*window);
    EXPECT_EQ(boxTexts(), QStringList({QString()}));
    EXPECT_EQ(reloads, 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(RenewWindowTest, WithoutAConnectionNothingIsOffered)
{
    service.reset();
    balance = QStringLiteral("0元");
    auto window = openFor(QStringLiteral("H-5"));
    EXPECT_FALSE(window->periodButton(RentalPeriod::Day)->isEnabled());
    EXPECT_FALSE(window->periodButton(RentalPeriod::Annual)->isEnabled());
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("0元"));
    EXPECT_TRUE(window->openTimeLabel()->text().isEmpty());
    EXPECT_TRUE(window->expiryLabel()->text().isEmpty());
    renew(*window);
    EXPECT_EQ(boxTexts(), QStringList({QString()}));
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace cloud::test
