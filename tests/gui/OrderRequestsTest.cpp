#include "FakeOrderService.h"

#include "orders/CatalogueRequests.h"
#include "orders/PurchaseRequests.h"
#include "orders/RenewalRequests.h"

#include <gtest/gtest.h>

namespace cloud::test {
namespace {

TEST(OrderRequests, ProductColumnsCarryTheirUnits)
{
    JsonDoc doc;
    ASSERT_TRUE(doc.parse(R"({"count":1,"data":[{"VPStype":"标准型S1","CpuNum":2,"MAXRAM":2048,
        "MAXSPACE":40,"Maxmbps8":5,"month":30,"id":17,"zy":"自营","lx":"云服务器"}]})"));
    const auto texts = ProductRecord::fromReply(doc, 0).columnTexts();
    const std::array<std::string, 9> expected{"标准型S1", "2核", "2048M", "40G",     "5M",
                                              "30元/月",  "17",  "自营",  "云服务器"};
    EXPECT_EQ(texts, expected);
    // A missing field is empty text, its unit still written.
    EXPECT_EQ(ProductRecord::fromReply(doc, 1).columnTexts()[1], "核");
}

TEST(OrderRequests, OnlyEmptyOrExactlyZeroPricesAreNotOffered)
{
    PurchaseOffer offer;
    offer.prices = {"0", "", "0.00"};
    EXPECT_FALSE(offer.offers(RentalPeriod::Day));
    EXPECT_FALSE(offer.offers(RentalPeriod::Month));
    EXPECT_TRUE(offer.offers(RentalPeriod::Annual));
    offer.prices = {"00", " 0", "12.5"};
    for (RentalPeriod period : kRentalPeriods)
        EXPECT_TRUE(offer.offers(period));
}

TEST(OrderRequests, TheOrderFormSendsTheProductAsAnInteger)
{
    const std::pair<const char *, const char *> cases[] = {
        {"abc", "year=month&id=0&osid=7&duration=1"},
        {"42", "year=month&id=42&osid=7&duration=1"},
        {"12x9", "year=month&id=12&osid=7&duration=1"},
        {"", "year=month&id=0&osid=7&duration=1"},
    };
    for (const auto &[productId, form] : cases)
        EXPECT_EQ(PurchaseRequests::orderForm({"month", productId, "7"}), form) << productId;
}

TEST(OrderRequests, OnlyTheNumberTwoHundredIsASuccessfulOrder)
{
    struct Case
    {
        const char *reply;
        bool succeeded;
        const char *message;
    } const cases[] = {
        {R"({"status":200,"data":"开通成功"})", true, "开通成功"},
        {R"({"status":"200","data":"余额不足，请充值"})", false, "余额不足，请充值"},
        {R"({"status":201,"data":"库存不足"})", false, "库存不足"},
        {R"({"status":200.0,"data":""})", true, ""},
        {"", false, ""},
        {"<html>busy</html>", false, ""},
    };
    for (const Case &c : cases) {
        const OrderOutcome outcome = PurchaseRequests::judgeOrderReply(c.reply);
        EXPECT_EQ(outcome.succeeded, c.succeeded) << c.reply;
        EXPECT_EQ(outcome.message, c.message) << c.reply;
    }
}

TEST(OrderRequests, TheBalanceIsCountedInWholeYuan)
{
    struct Case
    {
        const char *balance;
        std::int64_t price;
        bool covers;
    } const cases[] = {
        {"100元", 100, true},
        {"99.9元", 100, false},
        {"36.8元", 36, true},
        {"12.5元", 12, true},
        {"", 0, true},
        {"", 1, false},
        {"JSON解析失败元", 1, false},
        {"99999999999999999999999元", 5, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RenewalRequests::balanceCovers(c.balance, c.price), c.covers)
            << c.balance << " / " << c.price;
}

TEST(OrderRequests, ListsNeverReadPastTheirData)
{
    FakeOrderService service;
    // The count promises more than the data holds: only real records are read.
    service.on("GET", "/user/cplxlist",
               R"({"count":1000000000,"data":[{"cplxmc":"云服务器"},{"cplxmc":"挂机宝"}]})");
    const auto types = CatalogueRequests::productTypes();
    ASSERT_TRUE(types.has_value());
    EXPECT_EQ(*types, (std::vector<std::string>{"云服务器", "挂机宝"}));

    service.on("POST", "/user/ycpos", R"({"count":"2","data":[{"osid":1,"osname":"CentOS"}]})");
    EXPECT_TRUE(PurchaseRequests::offer("5").systems.empty()) << "a count sent as text is 0";
}

TEST(OrderRequests, RenewalPricesAreWholeNumbersAndTimesStayAsGiven)
{
    FakeOrderService service;
    service.on("POST", "/user/xfjgb",
               R"({"count":1,"data":[{"day":"12.5","month":100,"Annual":"abc",)"
               R"("starttime":"2025/1/5 8:00:00","endtime":"2025-02-05 08:00"}]})");
    const RenewalOffer offer = RenewalRequests::offer("H-9");
    EXPECT_EQ(offer.prices, (std::array<std::int64_t, 3>{12, 100, 0}));
    EXPECT_FALSE(offer.offers(RentalPeriod::Annual));
    EXPECT_EQ(offer.startTime, "2025/1/5 8:00:00");
    EXPECT_EQ(offer.endTime, "2025-02-05 08:00");
    ASSERT_EQ(service.requestsTo("/user/xfjgb").size(), 1u);
    EXPECT_EQ(service.requestsTo("/user/xfjgb")[0].body, "id=H-9");
}

} // namespace
} // namespace cloud::test
