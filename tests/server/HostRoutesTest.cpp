#include "Browser.h"
#include "ServiceFixture.h"

#include "Database.h"
#include "HostOperations.h"
#include "HostRefund.h"
#include "ServiceClock.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace refservice;
using namespace refservice::test;
using namespace std::chrono_literals;

namespace {

constexpr const char *demoName = "13800000000";
constexpr const char *password = "demo1234";

class HostRoutesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(demo.signIn(demoName, password), "1000"); }

    nlohmann::json list(Browser &browser, int page = 1, int limit = 5)
    {
        const auto reply = browser.post("/user/data/vpslist?page=" + std::to_string(page) +
                                        "&limit=" + std::to_string(limit) + "&ljs=1");
        return nlohmann::json::parse(reply.text, nullptr, false);
    }
    // The host's element of the demo account's list.
    nlohmann::json host(std::int64_t id)
    {
        const nlohmann::json all = list(demo, 1, 50);
        for (const auto &item : all["data"])
            if (item["id"] == id)
                return item;
        return {};
    }
    std::int64_t hostWhere(const std::string &condition)
    {
        const auto row = db().queryOne("SELECT id FROM hosts WHERE " + condition + " LIMIT 1");
        return row ? row->integer("id") : 0;
    }
    Database &db() { return service.app().database(); }
    ServiceClock &clock() { return service.app().clock(); }

    RunningService service;
    Browser demo{service};
};

} // namespace

TEST_F(HostRoutesTest, ListPagesTheAccountsHostsWithTheClientsKeys)
{
    const std::int64_t total =
        db().queryOne("SELECT COUNT(*) AS n FROM hosts WHERE account_id = 1")->integer("n");
    ASSERT_GT(total, 5);
    const auto first = list(demo);
    EXPECT_EQ(first["count"], total);
    ASSERT_EQ(first["data"].size(), 5u);
    const auto second = list(demo, 2);
    EXPECT_EQ(second["count"], total);
    EXPECT_EQ(second["data"].size(), static_cast<std::size_t>(total - 5));
    EXPECT_TRUE(list(demo, 3)["data"].empty());
    EXPECT_EQ(list(demo, 0)["data"], first["data"]); // page 0 reads as page 1

    const auto &item = first["data"][0];
    for (const char *key : {"VPStype", "vpsname", "ycdz", "VPSpassword", "CpuNum", "MaxRAM",
                            "Maxmbps8", "endtime", "status", "corewhatuser"})
        EXPECT_TRUE(item[key].is_string()) << key;
    EXPECT_TRUE(item["id"].is_number_integer());
    EXPECT_TRUE(item["VPStypeID"].is_number_integer());
    EXPECT_FALSE(item.contains("zt"));
    EXPECT_EQ(item["ycdz"], "203.0.113.21:3389");
    // The expiry date alone, which the list's column has room for.
    const std::string end =
        db().queryOne("SELECT end_time FROM hosts WHERE id = ?1", {item["id"].get<std::int64_t>()})
            ->text("end_time");
    EXPECT_EQ(item["endtime"], end.substr(0, 10));
    EXPECT_EQ(item["CpuNum"], "2核");

    // The client counts a page's rows by this key's occurrences in the text.
    const std::string text = demo.post("/user/data/vpslist?page=1&limit=5&ljs=1").text;
    std::size_t rows = 0;
    for (std::size_t at = text.find("VPStypeID"); at != std::string::npos;
         at = text.find("VPStypeID", at + 1))
        ++rows;
    EXPECT_EQ(rows, 5u);
}

TEST_F(HostRoutesTest, HostsExpireByTheirEndTime)
{
    const std::int64_t expired = hostWhere("end_time < datetime('now', 'localtime')");
    const std::int64_t off = hostWhere("status = '已关机'");
    const std::int64_t soon = hostWhere("account_id = 1 AND status = '运行中' AND end_time > "
                                        "datetime('now', 'localtime') ORDER BY end_time");
    EXPECT_EQ(host(expired)["status"], "已到期");
    EXPECT_EQ(host(off)["status"], "已关机");
    ASSERT_EQ(host(soon)["status"], "运行中");
    const auto end = ServiceClock::parseLocal(
        db().queryOne("SELECT end_time FROM hosts WHERE id = ?1", {soon})->text("end_time"));
    ASSERT_TRUE(end);
    clock().advance(std::chrono::duration_cast<std::chrono::seconds>(*end - clock().now()) + 2s);
    EXPECT_EQ(host(soon)["status"], "已到期");
    const auto refused = nlohmann::json::parse(
        demo.get("/user/data/vpscz?id=" + std::to_string(soon) + "&cz=reset").text);
    EXPECT_EQ(refused["status"], 400);
}

TEST_F(HostRoutesTest, RestartShowsItsTransitionalStateForAWhile)
{
    const std::int64_t off = hostWhere("status = '已关机'");
    const auto reply = demo.get("/user/data/vpscz?id=" + std::to_string(off) + "&cz=reset");
    const auto answer = nlohmann::json::parse(reply.text);
    EXPECT_EQ(answer["status"], 200);
    EXPECT_TRUE(answer["data"].is_string());
    EXPECT_EQ(host(off)["zt"], "重启中");
    // A second restart while the first runs is refused.
    const auto busy = nlohmann::json::parse(
        demo.get("/user/data/vpscz?id=" + std::to_string(off) + "&cz=reset").text);
    EXPECT_EQ(busy["status"], 400);
    EXPECT_NE(busy["data"].get<std::string>().find("重启中"), std::string::npos);

    clock().advance(HostOperations::restartTime);
    EXPECT_FALSE(host(off).contains("zt"));
    EXPECT_EQ(host(off)["status"], "运行中");

    const auto unknownAction = nlohmann::json::parse(
        demo.get("/user/data/vpscz?id=" + std::to_string(off) + "&cz=stop").text);
    EXPECT_EQ(unknownAction["status"], 400);
}

TEST_F(HostRoutesTest, ReinstallOffersTheProductsSystemsAndAnswersCodes)
{
    const std::int64_t running = hostWhere("account_id = 1 AND status = '运行中' AND product_id <> "
                                           "7 AND end_time > datetime('now', 'localtime')");
    const std::int64_t expired = hostWhere("end_time < datetime('now', 'localtime')");
    const auto systems =
        nlohmann::json::parse(demo.post("/user/VPSIDos", "id=" + std::to_string(running)).text);
    ASSERT_GE(systems["count"].get<int>(), 2);
    ASSERT_EQ(systems["data"].size(), systems["count"].get<std::size_t>());
    const std::string osid = systems["data"][1]["osid"].dump();
    const std::string osname = systems["data"][1]["osname"];
    // The same system's row of another product is not this host's to install.
    const std::string otherProducts =
        db().queryOne("SELECT id FROM os_images WHERE product_id = 7")->text("id");

    struct Case
    {
        std::string form;
        std::string code;
    };
    const std::string id = std::to_string(running);
    const Case cases[] = {
        {"osid=" + osid + "&id=999999", "1001"},
        {"osid=" + osid + "&id=abc", "1001"},
        {"osid=" + otherProducts + "&id=" + id, "1002"},
        {"osid=999999&id=" + id, "1002"},
        {"osid=&id=" + id, "1002"},
        {"osid=" + osid + "&id=" + std::to_string(expired), "1003"},
        {"osid=" + osid + "&id=" + id, "1000"},
        {"osid=" + osid + "&id=" + id, "1003"}, // reinstalling now
    };
    for (const Case &c : cases)
        EXPECT_EQ(demo.post("/user/data/installos", c.form).text, c.code) << c.form;
    EXPECT_EQ(host(running)["zt"], "重装中");
    EXPECT_EQ(db().queryOne("SELECT os FROM hosts WHERE id = ?", {running})->text("os"), osname);
    clock().advance(HostOperations::reinstallTime);
    EXPECT_FALSE(host(running).contains("zt"));
    EXPECT_EQ(host(running)["status"], "运行中");
}

TEST_F(HostRoutesTest, PasswordChangeAnswersItsCodes)
{
    const std::int64_t running = hostWhere("account_id = 1 AND status = '运行中' AND "
                                           "end_time > datetime('now', 'localtime')");
    const std::int64_t expired = hostWhere("end_time < datetime('now', 'localtime')");
    const std::string id = std::to_string(running);
    struct Case
    {
        std::string form;
        std::string code;
    };
    const Case cases[] = {
        {"password=Good2024pw&id=" + std::to_string(expired), "1001"},
        {"password=Good2024pw&id=999999", "1001"},
        {"password=abc12&id=" + id, "1002"},
        {"password=abcdefgh&id=" + id, "1002"},
        {"password=12345678&id=" + id, "1002"},
        {"password=abc 1234&id=" + id, "1002"},
        {"password=abc123456&id=" + id, "1003"},
        {"password=pw876543&id=" + id, "1003"},
        {"password=pw135791&id=" + id, "1000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(demo.post("/user/data/vpspassword", c.form).text, c.code) << c.form;
    EXPECT_EQ(host(running)["VPSpassword"], "pw135791");
}

TEST_F(HostRoutesTest, RemarkNeedsTheAccountsOwnCredentials)
{
    const std::string id = std::to_string(hostWhere("account_id = 1"));
    const std::string me = std::string("username=") + demoName + "&password=" + password;
    struct Case
    {
        std::string form;
        std::string code;
    };
    const Case cases[] = {
        {me + "&id=" + id + "&bz=数据库&主站", "1000"},
        {"username=13900000000&password=demo1234&id=" + id + "&bz=x", "1001"},
        {std::string("username=") + demoName + "&password=wrong&id=" + id + "&bz=x", "1001"},
        {me + "&id=999999&bz=x", "1003"},
        {me + "&id=" + id + "&bz=<b>", "1002"},
        {me + "&id=" + id + "&bz=it's", "1002"},
        {me + "&id=" + id + "&bz=a\"b", "1002"},
        {me + "&id=" + id + "&bz=vpstypeid", "1002"},
        {me + "&id=" + id + "&bz=" + std::string(51, 'x'), "1004"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(demo.post("/user/data/vpsbz", c.form).text, c.code) << c.form;
    EXPECT_EQ(host(std::stoll(id))["corewhatuser"], "数据库&主站");
    EXPECT_EQ(demo.post("/user/data/vpsbz", me + "&id=" + id + "&bz=").text, "1000");
    EXPECT_EQ(host(std::stoll(id))["corewhatuser"], "");
}

TEST_F(HostRoutesTest, RefundCreditsTheUnusedShareOnce)
{
    const std::int64_t recent = hostWhere("start_time > datetime('now', 'localtime', '-3 days')");
    const std::int64_t old = hostWhere("account_id = 1 AND start_time < datetime('now', "
                                       "'localtime', '-30 days') AND end_time > datetime('now', "
                                       "'localtime')");
    const std::int64_t balance =
        db().queryOne("SELECT balance_cents FROM accounts WHERE id = 1")->integer("balance_cents");
    const auto refund = [&](std::int64_t id) {
        return demo.get("/user/ajax_tk_mng.asp?module=sqtk&id=" + std::to_string(id)).text;
    };
    EXPECT_EQ(refund(old).find("错误："), 0u) << refund(old);
    EXPECT_NE(refund(old).find("期限"), std::string::npos);
    EXPECT_EQ(refund(999999), "错误：主机不存在");

    const std::string done = refund(recent);
    EXPECT_EQ(done.find("错误："), std::string::npos) << done;
    const auto after = db().queryOne("SELECT balance_cents FROM accounts WHERE id = 1");
    const std::int64_t credited = after->integer("balance_cents") - balance;
    // Bought two hours ago for a month at 58.00: nearly all of it comes back.
    EXPECT_GT(credited, 5600);
    EXPECT_LT(credited, 5800);
    const auto record = db().queryOne(
        "SELECT amount_cents, kind FROM money_records WHERE account_id = 1 ORDER BY id DESC");
    EXPECT_EQ(record->integer("amount_cents"), credited);
    EXPECT_EQ(record->text("kind"), "退款");
    EXPECT_EQ(host(recent)["status"], "已退款");

    EXPECT_NE(refund(recent).find("已申请过退款"), std::string::npos);
    EXPECT_EQ(
        db().queryOne("SELECT balance_cents FROM accounts WHERE id = 1")->integer("balance_cents"),
        balance + credited);
    // A refunded host takes no further operations.
    const auto restart = nlohmann::json::parse(
        demo.get("/user/data/vpscz?id=" + std::to_string(recent) + "&cz=reset").text);
    EXPECT_EQ(restart["status"], 400);
}

TEST_F(HostRoutesTest, RefundPeriodEndsThreeDaysAfterPurchase)
{
    const std::int64_t recent = hostWhere("start_time > datetime('now', 'localtime', '-3 days')");
    clock().advance(HostRefund::period);
    const std::string answer =
        demo.get("/user/ajax_tk_mng.asp?module=sqtk&id=" + std::to_string(recent)).text;
    EXPECT_EQ(answer.find("错误："), 0u);
    EXPECT_NE(answer.find("期限"), std::string::npos);
}

TEST_F(HostRoutesTest, AnotherAccountsHostIsNeverTouched)
{
    Browser other(service);
    ASSERT_EQ(other.signIn("13900000000", password), "1000");
    const std::string id = std::to_string(hostWhere("account_id = 1 AND start_time > "
                                                    "datetime('now', 'localtime', '-3 days')"));
    const auto before = db().queryOne("SELECT * FROM hosts WHERE id = ?", {std::stoll(id)});

    const auto restart =
        nlohmann::json::parse(other.get("/user/data/vpscz?id=" + id + "&cz=reset").text);
    EXPECT_EQ(restart["status"], 404);
    const auto systems = nlohmann::json::parse(other.post("/user/VPSIDos", "id=" + id).text);
    EXPECT_EQ(systems["count"], 0);
    EXPECT_EQ(other.post("/user/data/installos", "osid=1&id=" + id).text, "1001");
    EXPECT_EQ(other.post("/user/data/vpspassword", "password=Good2024pw&id=" + id).text, "1001");
    EXPECT_EQ(other
                  .post("/user/data/vpsbz",
                        "username=13900000000&password=demo1234&id=" + id + "&bz=mine")
                  .text,
              "1003");
    EXPECT_EQ(other.get("/user/ajax_tk_mng.asp?module=sqtk&id=" + id).text, "错误：主机不存在");
    const nlohmann::json othersList = list(other, 1, 50);
    ASSERT_EQ(othersList["data"].size(), 1u);
    for (const auto &item : othersList["data"])
        EXPECT_NE(item["id"].dump(), id);

    const auto after = db().queryOne("SELECT * FROM hosts WHERE id = ?", {std::stoll(id)});
    for (const char *column : {"status", "zt", "password", "remark", "os", "refund_time"})
        EXPECT_EQ(after->text(column), before->text(column)) << column;
}

TEST(HostRefundShare, IsTheUnusedShareInWholeCents)
{
    const auto t0 = ServiceClock::TimePoint{} + std::chrono::hours(24 * 20000);
    const auto day = std::chrono::hours(24);
    struct Case
    {
        std::int64_t paid;
        std::chrono::seconds sinceStart;
        std::chrono::seconds term;
        std::int64_t share;
    };
    const Case cases[] = {
        {3000, 0s, 30 * day, 3000},
        {3000, 1 * day, 30 * day, 2900},
        {1000, 1s, 3s, 666}, // rounded down
        {3000, 30 * day, 30 * day, 0},
        {3000, 31 * day, 30 * day, 0},
        {3000, -1 * day, 30 * day, 3000}, // not started yet: all of it, never more
        {0, 1s, 30 * day, 0},
        {3000, 0s, 0s, 0},
        {INT64_MAX / 2, 1s, 2s, INT64_MAX / 4}, // no overflow on large amounts
    };
    for (const Case &c : cases)
        EXPECT_EQ(HostRefund::unusedShare(c.paid, t0, t0 + c.term, t0 + c.sinceStart), c.share)
            << c.paid << " " << c.sinceStart.count() << " " << c.term.count();
}
