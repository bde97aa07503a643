#include "ShopFixture.h"

#include "PaymentDesk.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace refservice;
using namespace refservice::test;

namespace {

class PaymentRoutesTest : public ::testing::Test
{
protected:
    ShopService service;
    httplib::Headers demo = service.session(1);

    std::string order(const std::string &amount, const std::string &account = "13800000000")
    {
        return ShopService::text(
            service.post("/user/zfbzf", "ORDERMONEY=" + amount + "&USERNAME=" + account, demo));
    }
    // The order number of a payment page address; empty when the text is no such address.
    std::string numberOf(const std::string &address)
    {
        const std::string prefix =
            "http://127.0.0.1:" + std::to_string(service.port()) + "/pay/order?no=";
        if (address.rfind(prefix, 0) != 0)
            return {};
        const std::string number = address.substr(prefix.size());
        return PaymentDesk::isOrderNumber(number) ? number : std::string();
    }
    httplib::Result confirm(const std::string &number)
    {
        // A browser, without the client's session.
        return service.post("/pay/confirm", "no=" + number, {});
    }
};

} // namespace

TEST_F(PaymentRoutesTest, AnOrderAnswersTheAddressOfItsPaymentPage)
{
    const std::string number = numberOf(order("100.5"));
    ASSERT_FALSE(number.empty());
    EXPECT_NE(numberOf(order("100.5")), number);

    const auto page = service.get("/pay/order?no=" + number, {});
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    const std::string html = ShopService::text(page);
    EXPECT_NE(html.find("￥100.50"), std::string::npos);
    EXPECT_NE(html.find("138****0000"), std::string::npos);
    EXPECT_NE(html.find("action=\"/pay/confirm\""), std::string::npos);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=gbk");
}

TEST_F(PaymentRoutesTest, RefusedOrdersAnswerEmptyText)
{
    for (const char *amount : {"", "0", "-5", "1.234", "abc", "1e3", "50000.01", "１００"})
        EXPECT_EQ(order(amount), "") << amount;
    EXPECT_EQ(order("10", "13900000000"), ""); // another account
    EXPECT_EQ(order("10", ""), "");
    EXPECT_FALSE(numberOf(order(" 50000 ")).empty()); // blanks around the amount are fine
    EXPECT_EQ(service.count("SELECT COUNT(*) AS n FROM payment_orders"), 1);
}

TEST_F(PaymentRoutesTest, ConfirmingCreditsTheBalanceOnce)
{
    const std::int64_t balance = service.balance(1);
    const std::string number = numberOf(order("99.90"));
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(service.balance(1), balance); // nothing before the payment

    const auto first = confirm(number);
    EXPECT_EQ(first->status, 200);
    EXPECT_NE(ShopService::text(first).find("支付成功"), std::string::npos);
    EXPECT_EQ(service.balance(1), balance + 9990);

    const auto again = confirm(number);
    EXPECT_NE(ShopService::text(again).find("该订单已支付"), std::string::npos);
    EXPECT_EQ(service.balance(1), balance + 9990);
    EXPECT_NE(ShopService::text(service.get("/pay/order?no=" + number, {})).find("该订单已支付"),
              std::string::npos);
    EXPECT_EQ(service.count("SELECT COUNT(*) AS n FROM money_records WHERE account_id = 1 AND "
                            "amount_cents = 9990 AND note = '在线充值'"),
              1);
}

TEST_F(PaymentRoutesTest, ExpiredAndUnknownOrdersCreditNothing)
{
    const std::int64_t balance = service.balance(1);
    const std::string number = numberOf(order("10"));
    service.advance(PaymentDesk::lifetimeSeconds + 1);
    EXPECT_NE(ShopService::text(confirm(number)).find("该订单已过期"), std::string::npos);
    for (const std::string &unknown : {std::string(32, 'a'), std::string("x"), std::string()}) {
        EXPECT_EQ(confirm(unknown)->status, 404) << unknown;
        EXPECT_EQ(service.get("/pay/order?no=" + unknown, {})->status, 404) << unknown;
    }
    EXPECT_EQ(service.balance(1), balance);
}

TEST_F(PaymentRoutesTest, PendingOrdersPerAccountAreBounded)
{
    for (int i = 0; i < PaymentDesk::maxPendingOrders; ++i)
        ASSERT_FALSE(numberOf(order("1")).empty()) << i;
    EXPECT_EQ(order("1"), "");
    // Orders that have expired no longer count.
    service.advance(PaymentDesk::lifetimeSeconds + 1);
    EXPECT_FALSE(numberOf(order("1")).empty());
}

TEST_F(PaymentRoutesTest, ConfirmationsAtOnceCreditOnce)
{
    const std::int64_t balance = service.balance(1);
    const std::string number = numberOf(order("10"));
    std::vector<std::thread> browsers;
    for (int i = 0; i < 4; ++i)
        browsers.emplace_back([&] { confirm(number); });
    for (std::thread &browser : browsers)
        browser.join();
    EXPECT_EQ(service.balance(1), balance + 1000);
}
