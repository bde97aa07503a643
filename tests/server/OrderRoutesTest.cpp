#include "ShopFixture.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace refservice;
using namespace refservice::test;

namespace {

class OrderRoutesTest : public ::testing::Test
{
protected:
    ShopService service;
    httplib::Headers demo = service.session(1);
    httplib::Headers second = service.session(2);

    std::string osOf(int product)
    {
        return service.db()
            .queryOne("SELECT MIN(id) AS id FROM os_images WHERE product_id = ?1", {product})
            ->text("id");
    }
    std::string buyBody(const std::string &period, int product)
    {
        return "year=" + period + "&id=" + std::to_string(product) + "&osid=" + osOf(product) +
               "&duration=1";
    }
    nlohmann::json buy(const httplib::Headers &who, const std::string &body)
    {
        return ShopService::json(service.post("/user/data/buy", body, who));
    }
    std::int64_t hostsOf(int account)
    {
        return service.count("SELECT COUNT(*) AS n FROM hosts WHERE account_id = ?1", {account});
    }
    std::int64_t recordsOf(int account)
    {
        return service.count("SELECT COUNT(*) AS n FROM money_records WHERE account_id = ?1",
                             {account});
    }
    DbRow newestHost(int account)
    {
        return *service.db().queryOne(
            "SELECT * FROM hosts WHERE account_id = ?1 ORDER BY id DESC LIMIT 1", {account});
    }
    std::string renew(const httplib::Headers &who, const std::string &period, int host)
    {
        return ShopService::text(service.post(
            "/user/data/xfbuy", "year=" + period + "&id=" + std::to_string(host), who));
    }
    void setEnd(int host, const std::string &end, const std::string &status = "运行中")
    {
        service.db().modify("UPDATE hosts SET end_time = ?2, status = ?3 WHERE id = ?1",
                            {host, end, status});
    }
    std::string endOf(int host)
    {
        return service.db()
            .queryOne("SELECT end_time FROM hosts WHERE id = ?1", {host})
            ->text("end_time");
    }
};

} // namespace

TEST_F(OrderRoutesTest, PurchaseChargesThePriceInCentsWhenTheBalanceCoversIt)
{
    service.db().modify("UPDATE products SET price_month_cents = 10000 WHERE id = 1");
    struct Case
    {
        std::int64_t balance;
        bool accepted;
        std::int64_t after;
    };
    const Case cases[] = {{10000, true, 0}, {9990, false, 9990}, {10001, true, 1}, {0, false, 0}};
    for (const Case &c : cases) {
        service.setBalance(2, c.balance);
        const std::int64_t hosts = hostsOf(2);
        const std::int64_t records = recordsOf(2);
        const auto reply = buy(second, buyBody("month", 1));
        ASSERT_TRUE(reply["status"].is_number_integer()) << reply.dump();
        EXPECT_EQ(reply["status"], c.accepted ? 200 : 400) << c.balance;
        EXPECT_EQ(reply["data"], c.accepted ? "开通成功" : "余额不足，请先充值") << c.balance;
        EXPECT_EQ(service.balance(2), c.after) << c.balance;
        EXPECT_EQ(hostsOf(2), hosts + (c.accepted ? 1 : 0)) << c.balance;
        EXPECT_EQ(recordsOf(2), records + (c.accepted ? 1 : 0)) << c.balance;
    }
    const auto record = service.db().queryOne(
        "SELECT amount_cents, kind, note FROM money_records WHERE account_id = 2 "
        "ORDER BY id DESC LIMIT 1");
    EXPECT_EQ(record->integer("amount_cents"), -10000);
    EXPECT_EQ(record->text("note"), "购买 香港CN2-基础型 1个月");
}

TEST_F(OrderRoutesTest, PurchaseRefusesWhatTheProductDoesNotOffer)
{
    service.db().modify("UPDATE products SET stock = 0 WHERE id = 3");
    const std::pair<std::string, std::string> cases[] = {
        {buyBody("day", 2), "该产品不支持此购买时长"},
        {buyBody("Annual", 7), "该产品不支持此购买时长"},
        {"year=month&id=1&osid=" + osOf(7) + "&duration=1", "请选择该产品支持的操作系统"},
        {"year=month&id=1&osid=&duration=1", "请选择该产品支持的操作系统"},
        {"year=month&id=99&osid=1&duration=1", "产品不存在"},
        {"year=month&id=abc&osid=1&duration=1", "产品不存在"},
        {"year=year&id=1&osid=" + osOf(1) + "&duration=1", "购买时长参数错误"},
        {"year=month&id=1&osid=" + osOf(1) + "&duration=0", "购买时长参数错误"},
        {"year=month&id=1&osid=" + osOf(1) + "&duration=-1", "购买时长参数错误"},
        {"year=Annual&id=1&osid=" + osOf(1) + "&duration=11", "购买时长超出上限"},
        {buyBody("month", 3), "该产品库存不足"},
    };
    const std::int64_t balance = service.balance(1);
    const std::int64_t hosts = hostsOf(1);
    for (const auto &[body, message] : cases) {
        const auto reply = buy(demo, body);
        EXPECT_EQ(reply["status"], 400) << body;
        EXPECT_EQ(reply["data"], message) << body;
    }
    EXPECT_EQ(service.balance(1), balance);
    EXPECT_EQ(hostsOf(1), hosts);
}

TEST_F(OrderRoutesTest, NewHostRunsFromNowToTheCalendarEnd)
{
    struct Case
    {
        const char *now;
        std::string body;
        const char *end;
        std::int64_t price;
    };
    const Case cases[] = {
        {"2024-01-31 10:00:00", buyBody("month", 1), "2024-02-29 10:00:00", 6800},
        {"2024-02-29 08:15:00", buyBody("Annual", 1), "2025-02-28 08:15:00", 68000},
        {"2024-12-31 23:30:00", buyBody("day", 1), "2025-01-01 23:30:00", 300},
        {"2024-11-30 12:00:00", "year=month&id=1&osid=" + osOf(1) + "&duration=3",
         "2025-02-28 12:00:00", 3 * 6800},
    };
    service.setBalance(1, 1000000);
    for (const Case &c : cases) {
        service.setNow(c.now);
        const std::int64_t balance = service.balance(1);
        ASSERT_EQ(buy(demo, c.body)["status"], 200) << c.body;
        const DbRow host = newestHost(1);
        EXPECT_EQ(host.text("start_time"), c.now);
        EXPECT_EQ(host.text("end_time"), c.end) << c.now;
        EXPECT_EQ(service.balance(1), balance - c.price) << c.now;
        EXPECT_EQ(host.text("status"), "运行中");
        EXPECT_EQ(host.text("os"), "Windows Server 2012 R2 数据中心版 64位");
        EXPECT_EQ(host.text("password").size(), 10u);
        EXPECT_NE(host.text("name").find(":3389"), std::string::npos);
    }
}

TEST_F(OrderRoutesTest, EveryNewHostGetsAnIpOfItsOwn)
{
    // Every IP the service hands out is taken but one; a seeded host holds one on another port.
    const std::string spare = "198.51.100.77";
    service.db().transaction([&] {
        for (const char *network : {"192.0.2.", "198.51.100.", "203.0.113."})
            for (int octet = 2; octet <= 254; ++octet) {
                const std::string ip = network + std::to_string(octet);
                if (ip != spare)
                    service.db().insert(
                        "INSERT INTO hosts(account_id, product_id, name, password, os, status, "
                        "type_name, start_time, end_time) VALUES(2, 1, ?1, 'x', 'x', '运行中', "
                        "'x', '2024-01-01 00:00:00', '2025-01-01 00:00:00')",
                        {ip + (octet % 2 ? ":3389" : ":33890")});
            }
        return true;
    });
    service.setBalance(1, 1000000);
    ASSERT_EQ(buy(demo, buyBody("day", 1))["status"], 200);
    EXPECT_EQ(newestHost(1).text("name"), spare + ":3389");

    // With none left the order is refused and costs nothing.
    const std::int64_t hosts = hostsOf(1);
    const auto reply = buy(demo, buyBody("day", 1));
    EXPECT_EQ(reply["status"], 400);
    EXPECT_EQ(reply["data"], "操作失败，请稍后再试");
    EXPECT_EQ(hostsOf(1), hosts);
    EXPECT_EQ(service.balance(1), 1000000 - 300);
}

TEST_F(OrderRoutesTest, RenewalQuoteShowsTheOwnHostsPricesAndTimes)
{
    const auto quote = ShopService::json(service.post("/user/xfjgb", "id=1", demo));
    ASSERT_EQ(quote["count"], 1);
    const auto &data = quote["data"][0];
    EXPECT_EQ(data["day"], "3");
    EXPECT_EQ(data["month"], "68");
    EXPECT_EQ(data["Annual"], "680");
    EXPECT_EQ(data["endtime"], endOf(1));
    EXPECT_EQ(ShopService::json(service.post("/user/xfjgb", "id=7", demo))["data"][0]["day"], "0");
    // Host 8 is the other account's; an identifier that is no number names nothing.
    for (const char *body : {"id=8", "id=", "id=1 "})
        EXPECT_EQ(ShopService::json(service.post("/user/xfjgb", body, demo))["count"], 0) << body;
}

TEST_F(OrderRoutesTest, RenewalExtendsFromTheLaterOfNowAndTheEnd)
{
    setEnd(1, "2024-03-31 12:00:00");           // still running: from its end
    setEnd(5, "2023-12-01 00:00:00", "已到期"); // ended: from now, and runs again
    std::int64_t balance = service.balance(1);
    EXPECT_EQ(renew(demo, "month", 1), "1000");
    EXPECT_EQ(endOf(1), "2024-04-30 12:00:00");
    EXPECT_EQ(service.balance(1), balance - 6800);
    balance = service.balance(1);
    EXPECT_EQ(renew(demo, "month", 5), "1000");
    EXPECT_EQ(endOf(5), "2024-02-29 10:00:00");
    EXPECT_EQ(service.balance(1), balance - 29900);
    EXPECT_EQ(service.db().queryOne("SELECT status FROM hosts WHERE id = 5")->text("status"),
              "运行中");
    const auto record = service.db().queryOne(
        "SELECT amount_cents, note FROM money_records WHERE account_id = 1 ORDER BY id DESC");
    EXPECT_EQ(record->integer("amount_cents"), -29900);
    EXPECT_EQ(record->text("note"), "续费 十堰高防-企业型 1个月");
}

TEST_F(OrderRoutesTest, RenewalRefusalsChangeNothing)
{
    setEnd(2, "2033-12-31 00:00:00");
    service.setBalance(2, 6799); // host 8 costs 68 a month
    const std::int64_t balance = service.balance(1);
    struct Case
    {
        const httplib::Headers &who;
        std::string period;
        int host;
        std::string reply;
    };
    const Case cases[] = {
        {second, "month", 8, "余额不足"},
        {demo, "day", 7, "该主机不支持此续费时长"}, // its product has no day price
        {demo, "month", 8, "主机不存在"},           // not the account's host
        {demo, "month", 999, "主机不存在"},
        {demo, "year", 1, "续费时长参数错误"},
        {demo, "Annual", 2, "续费后的到期时间不能超过10年"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(renew(c.who, c.period, c.host), c.reply) << c.period << " " << c.host;
    EXPECT_EQ(service.balance(1), balance);
    EXPECT_EQ(service.balance(2), 6799);
    EXPECT_EQ(endOf(2), "2033-12-31 00:00:00");
    service.setBalance(2, 6800);
    EXPECT_EQ(renew(second, "month", 8), "1000");
    EXPECT_EQ(service.balance(2), 0);
}

TEST_F(OrderRoutesTest, OrdersAtOnceCannotSpendOneBalanceTwice)
{
    service.setBalance(2, 6800 + 6799);
    const std::int64_t hosts = hostsOf(2);
    const std::int64_t records = recordsOf(2);
    std::vector<std::thread> clients;
    for (int i = 0; i < 4; ++i)
        clients.emplace_back([&, i] {
            if (i % 2 == 0)
                buy(second, buyBody("month", 1));
            else
                renew(second, "month", 8);
        });
    for (std::thread &client : clients)
        client.join();
    EXPECT_EQ(service.balance(2), 6799);
    EXPECT_EQ(recordsOf(2), records + 1); // one order went through, a purchase or a renewal
    EXPECT_LE(hostsOf(2), hosts + 1);
}
