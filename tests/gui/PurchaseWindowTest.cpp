#include "OrdersTestSupport.h"

#include "orders/LinkLabel.h"
#include "orders/PurchaseWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace cloud::test {
namespace {

const char *kSystems = R"({"count":3,"data":[{"osid":11,"osname":"Windows Server 2019"},)"
                       R"({"osid":"12","osname":"CentOS 7.9"},{"osid":13,"osname":"Debian 12"}]})";

class PurchaseWindowTest : public OrdersTest
{
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        context.balanceText = [] { return QStringLiteral("36.8元"); };
        context.now = [this] { return now; };
    }

    // Opens the dialog for `productId` and waits until prices and systems are shown.
    std::unique_ptr<PurchaseWindow> openFor(const QString &productId)
    {
        auto window = std::make_unique<PurchaseWindow>(productId, context);
        EXPECT_TRUE(window->isFilling());
        EXPECT_FALSE(window->actionButton()->isEnabled());
        EXPECT_TRUE(waitFor([&] { return !window->isFilling(); }));
        return window;
    }
    void prices(const char *day, const char *month, const char *annual)
    {
        service->on(
            "POST", "/user/ycpjgb",
            QStringLiteral(R"({"count":1,"data":[{"day":%1,"month":%2,"Annual":%3}]})")
                .arg(QString::fromUtf8(day), QString::fromUtf8(month), QString::fromUtf8(annual))
                .toStdString());
    }
    static bool offered(const PurchaseWindow &w, RentalPeriod p)
    {
        return w.periodButton(p)->isEnabled();
    }

    OrdersContext context;
    QDateTime now{QDate(2025, 3, 1), QTime(9, 30)};
};

TEST_F(PurchaseWindowTest, OnlyPricedPeriodsCanBeChosen)
{
    prices(R"("0")", R"("30")", R"("")");
    auto window = openFor(QStringLiteral("17"));
    EXPECT_FALSE(offered(*window, RentalPeriod::Day));
    EXPECT_TRUE(offered(*window, RentalPeriod::Month));
    EXPECT_FALSE(offered(*window, RentalPeriod::Annual));
    EXPECT_EQ(window->checkedPeriod(), RentalPeriod::Month);
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("30元"));
    EXPECT_EQ(window->periodCode(), "month");
    EXPECT_EQ(window->balanceLabel()->text(), QStringLiteral("当前余额:36.8元"));
    EXPECT_EQ(service->requestsTo("/user/ycpjgb").at(0).body, "id=17");
    EXPECT_EQ(service->requestsTo("/user/ycpos").at(0).body, "id=17");

    // "0.00" is a price; a JSON number 0 reads as "0" and is none.
    prices(R"("0.00")", R"(25.5)", R"(0)");
    window = openFor(QStringLiteral("17"));
    EXPECT_TRUE(offered(*window, RentalPeriod::Day));
    EXPECT_FALSE(offered(*window, RentalPeriod::Annual));
    window->periodButton(RentalPeriod::Day)->click();
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("0.00元"));
    EXPECT_EQ(window->periodCode(), "day");
    window->periodButton(RentalPeriod::Month)->click();
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("25.5元"));
}

TEST_F(PurchaseWindowTest, ExpiryDatesFollowTheChosenPeriod)
{
    prices(R"("1")", R"("30")", R"("300")");
    now = QDateTime(QDate(2025, 1, 31), QTime(22, 15));
    auto window = openFor(QStringLiteral("17"));
    EXPECT_EQ(window->openTimeLabel()->text(), QStringLiteral("2025年01月31日"));
    EXPECT_EQ(window->expiryLabel()->text(), QStringLiteral("2025年02月28日"));
    window->periodButton(RentalPeriod::Day)->click();
    EXPECT_EQ(window->expiryLabel()->text(), QStringLiteral("2025年02月01日"));

    now = QDateTime(QDate(2024, 2, 29), QTime(8, 0));
    window->periodButton(RentalPeriod::Annual)->click();
    EXPECT_EQ(window->expiryLabel()->text(), QStringLiteral("2025年02月28日"));
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("300元"));
    EXPECT_EQ(window->periodCode(), "Annual");
}

TEST_F(PurchaseWindowTest, SystemNamesAndIdentifiersStayInParallel)
{
    prices(R"("1")", R"("30")", R"("300")");
    service->on("POST", "/user/ycpos", kSystems);
    auto window = openFor(QStringLiteral("17"));
    ASSERT_EQ(window->systemBox()->count(), 3);
    ASSERT_EQ(window->systemIdBox()->count(), 3);
    EXPECT_EQ(window->systemBox()->currentText(), QStringLiteral("Windows Server 2019"));
    EXPECT_EQ(window->systemIdBox()->currentText(), QStringLiteral("11"));
    EXPECT_EQ(window->systemIdLabel()->text(), QStringLiteral("11"));

    window->systemBox()->setCurrentIndex(2);
    window->onOsChosen(2);
    EXPECT_EQ(window->systemIdBox()->currentText(), QStringLiteral("13"));
    EXPECT_EQ(window->systemIdLabel()->text(), QStringLiteral("13"));
}

TEST_F(PurchaseWindowTest, OpenHandsTheOrderOverAndCloses)
{
    prices(R"("1")", R"("30")", R"("300")");
    service->on("POST", "/user/ycpos", kSystems);
    auto window = openFor(QStringLiteral("abc"));
    window->show();
    window->periodButton(RentalPeriod::Annual)->click();
    window->onOsChosen(1);
    std::vector<OrderRequest> orders;
    QObject::connect(window.get(), &PurchaseWindow::orderRequested,
                     [&](const OrderRequest &order) { orders.push_back(order); });
    window->actionButton()->click();
    ASSERT_EQ(orders.size(), 1u);
    const OrderRequest &order = orders.front();
    EXPECT_EQ(order.periodCode, "Annual");
    EXPECT_EQ(order.productId, "abc");
    EXPECT_EQ(order.osId, "12");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PurchaseWindowTest, WithoutAProductNothingIsOrdered)
{
    auto window = openFor(QString());
    int orders = 0;
    QObject::connect(window.get(), &PurchaseWindow::orderRequested, [&] { ++orders; });
    window->actionButton()->click();
    EXPECT_EQ(orders, 0);
    EXPECT_EQ(boxTexts(), qsl({"请选择购买的产品"}));
}

TEST_F(PurchaseWindowTest, WithoutRepliesOnlyTheMonthRemains)
{
    // Redirects are not followed: the landing page's prices never arrive.
    service->redirect("POST", "/user/ycpjgb");
    service->redirect("POST", "/user/ycpos");
    auto window = openFor(QStringLiteral("17"));
    EXPECT_FALSE(offered(*window, RentalPeriod::Day));
    EXPECT_FALSE(offered(*window, RentalPeriod::Annual));
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("元"));
    EXPECT_EQ(window->systemBox()->count(), 0);
    EXPECT_TRUE(window->systemIdLabel()->text().isEmpty());

    service.reset(); // nothing answers any more
    window = openFor(QStringLiteral("17"));
    EXPECT_EQ(window->feeLabel()->text(), QStringLiteral("元"));
    EXPECT_TRUE(window->actionButton()->isEnabled());
}

TEST_F(PurchaseWindowTest, TheRechargeLinkOpensTopUpOverTheDialog)
{
    QWidget *over = nullptr;
    context.openRecharge = [&](QWidget *dialog) { over = dialog; };
    auto window = openFor(QStringLiteral("17"));
    window->show();
    QTest::mouseClick(window->rechargeLink(), Qt::LeftButton);
    EXPECT_EQ(over, window.get());
}

} // namespace
} // namespace cloud::test
